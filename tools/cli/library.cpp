#include "library.hpp"

#include <filesystem>
#include <system_error>

namespace vexl::cli {

std::string Source::describe() const {
    return archive.empty() ? name : archive + ":" + name;
}

void refuseFolder(const std::string& path) {
    std::error_code ignored;
    if (!path.empty() && std::filesystem::is_directory(path, ignored)) {
        throw Failure(path + " is a folder, not a file");
    }
}

Bytes loadBytes(const Source& source) {
    refuseFolder(source.archive.empty() ? source.name : source.archive);
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
