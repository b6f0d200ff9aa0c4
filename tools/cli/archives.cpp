#include "archives.hpp"

#include <algorithm>
#include <cctype>

namespace vexl::cli {
namespace {

bool hasPakExtension(const std::string& name) {
    constexpr std::string_view kExtension = ".pak";
    if (name.size() < kExtension.size()) {
        return false;
    }
    return std::equal(kExtension.begin(), kExtension.end(), name.end() - kExtension.size(),
                      [](char expected, char actual) {
                          return expected == std::tolower(static_cast<unsigned char>(actual));
                      });
}

} // namespace

std::unique_ptr<OpenedArchive> openArchive(const std::string& name, const std::string& pak) {
    auto opened = std::make_unique<OpenedArchive>();
    const Source source{pak, name};
    opened->shownName = source.describe();
    // A PAK's directory is read from disk without loading the whole archive.
    refuseFolder(pak.empty() ? name : pak);
    if (pak.empty() && hasPakExtension(name)) {
        opened->pack = readPak(name);
        opened->kind = FileType::Pak;
        return opened;
    }
    Bytes bytes = loadBytes(source);
    const FileType kind = vexalkit::whatIs(bytes);
    if (kind == FileType::Wad2) {
        opened->wad =
            vexalkit::withContext(opened->shownName, [&] { return WadDirectory::read(bytes); });
        opened->wadBytes = std::move(bytes);
        opened->kind = FileType::Wad2;
        return opened;
    }
    if (kind == FileType::Pak && !pak.empty()) {
        throw Failure(opened->shownName + ": a PAK archive inside a PAK archive; extract it first");
    }
    if (kind == FileType::Pak) {
        throw Failure(name + ": PAK archives are read under a name ending in .pak");
    }
    throw Failure(opened->shownName + ": not a PAK or WAD2 archive (" +
                  std::string(vexalkit::typeDescription(kind)) + ")");
}

bool wadEntryInside(const VEXLWADENTRY_T& entry, size_t archiveSize) {
    return entry.filePos >= vexalkit::format::kWadHeaderBytes && entry.diskLen != 0 &&
           uint64_t{entry.filePos} + entry.diskLen <= archiveSize;
}

} // namespace vexl::cli
