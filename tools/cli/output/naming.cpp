#include "output/naming.hpp"

#include <algorithm>

namespace vexl::cli {

std::string baseName(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    const size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot != 0) {
        base.erase(dot);
    }
    return base.empty() ? "out" : base;
}

std::string numbered(const std::string& name, size_t index, size_t count) {
    const size_t width = std::to_string(count == 0 ? 0 : count - 1).size();
    std::string number = std::to_string(index);
    number.insert(0, width - std::min(width, number.size()), '0');
    const size_t partStart = name.find_last_of('/') + 1; // 0 when there is none
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot <= partStart) {
        dot = name.size();
    }
    return name.substr(0, dot) + "_" + number + name.substr(dot);
}

} // namespace vexl::cli
