// Opening an archive named on the command line: a PAK on disk, or a WAD2
// archive on disk or inside a PAK.
#pragma once

#include "library.hpp"

#include <memory>
#include <string>

namespace vexl::cli {

struct OpenedArchive {
    FileType kind = FileType::Unknown;
    std::string shownName;
    PakDirectory pack; // filled for FileType::Pak
    WadDirectory wad;  // filled for FileType::Wad2
    Bytes wadBytes;    // the WAD2 archive's bytes, for FileType::Wad2
};

// `name` is a file on disk, or inside the PAK archive `pak` when that is set.
std::unique_ptr<OpenedArchive> openArchive(const std::string& name, const std::string& pak);

// Whether a WAD2 entry's stored bytes lie inside the archive.
bool wadEntryInside(const VEXLWADENTRY_T& entry, size_t archiveSize);

} // namespace vexl::cli
