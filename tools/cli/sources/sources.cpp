#include "sources/sources.hpp"

#include "host/files.hpp"
#include "host/paths.hpp"

#include <cstdlib>
#include <limits>

namespace vexl::cli {

std::string Source::describe() const {
    return archive.empty() ? name : archive + ":" + name;
}

void refuseFolder(const std::string& path) {
    if (!path.empty() && host::statusOf(path).kind == host::EntryKind::Folder) {
        throw Failure(path + " is a folder, not a file");
    }
}

Bytes loadBytes(const Source& source) {
    if (!source.archive.empty()) {
        refuseFolder(source.archive);
        return vexalkit::readFile(host::libraryPath(source.archive), source.name);
    }
    refuseFolder(source.name);
    // Files on disk are read by the tool itself, by the exact name given,
    // in any script (the library opens names in the system's code page).
    const host::ReadableFile file(source.name);
    if (file.size() > std::numeric_limits<uint32_t>::max()) {
        throw Failure(source.name + ": 4 GiB or more, beyond what the game's files hold");
    }
    Bytes bytes;
    if (file.size() != 0) {
        auto* block = static_cast<uint8_t*>(std::malloc(file.size()));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        bytes = Bytes::adopt(block, file.size());
        file.readAt(0, {block, bytes.size()});
    }
    return bytes;
}

PakDirectory readPak(const std::string& pak) {
    refuseFolder(pak);
    return PakDirectory::read(host::libraryPath(pak));
}

} // namespace vexl::cli
