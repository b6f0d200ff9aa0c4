#include "naming.hpp"

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

std::filesystem::path numbered(const std::filesystem::path& path, size_t index, size_t count) {
    const size_t width = std::to_string(count == 0 ? 0 : count - 1).size();
    std::string number = std::to_string(index);
    number.insert(0, width - std::min(width, number.size()), '0');
    std::filesystem::path result = path;
    result.replace_filename(path.stem().string() + "_" + number + path.extension().string());
    return result;
}

OutputPlace outputPlace(const std::string& option, const std::string& defaultName) {
    if (option.empty()) {
        return {".", defaultName};
    }
    std::error_code ignored;
    if (option.back() == '/' || std::filesystem::is_directory(option, ignored)) {
        return {option, defaultName};
    }
    const std::filesystem::path path(option);
    return {path.has_parent_path() ? path.parent_path() : std::filesystem::path("."),
            path.filename().string()};
}

} // namespace vexl::cli
