// The tool's view of the library: the C++ layer's owners, plus where a file
// comes from and how its failures are named.
#pragma once

#include "vexalkit_cpp.hpp"

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vexl::cli {

// A failure the tool reports as one line and a non-zero exit code; the
// library's own (vexalkit::Error) are among them.
using Failure = std::runtime_error;

using vexalkit::Bytes;
using vexalkit::FileType;
using vexalkit::Model;
using vexalkit::PakDirectory;
using vexalkit::Palette;
using vexalkit::Picture;
using vexalkit::Sprite;
using vexalkit::WadDirectory;

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

// Loads an owner of the layer from bytes; a failure names `what`.
template <typename Owned> Owned load(std::span<const uint8_t> bytes, const std::string& what) {
    return vexalkit::withContext(what, [&] { return Owned::load(bytes); });
}

// Library paths use "\" between parts; the tool shows and matches "/".
std::string displayName(std::string_view libraryName);

} // namespace vexl::cli
