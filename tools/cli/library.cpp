#include "library.hpp"

namespace vexl::cli {

std::string Source::describe() const {
    return archive.empty() ? name : archive + ":" + name;
}

Bytes loadBytes(const Source& source) {
    return vexalkit::readFile(source.archive, source.name);
}

std::string displayName(std::string_view libraryName) {
    std::string shown(libraryName);
    for (char& value : shown) {
        if (value == '\\') {
            value = '/';
        }
    }
    return shown;
}

} // namespace vexl::cli
