// Where the tool's inputs come from: files on disk or inside a PAK archive,
// read and handed to the C++ layer's owners, failures named after them.
#pragma once

#include "layer.hpp"

#include <string>

namespace vexl::cli {

// Where a file comes from: a PAK archive, or the disk when `archive` is empty.
struct Source {
    std::string archive;
    std::string name;

    // "ARCHIVE:NAME" or "NAME", for messages.
    std::string describe() const;
};

// Throws Failure saying so when `path` names a folder.
void refuseFolder(const std::string& path);

// The whole file, from disk or from inside the archive; throws on failure.
// An empty file on disk gives no bytes.
Bytes loadBytes(const Source& source);

// The directory of the PAK archive `pak` on disk; throws on failure.
PakDirectory readPak(const std::string& pak);

} // namespace vexl::cli
