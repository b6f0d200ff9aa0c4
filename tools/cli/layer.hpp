// The C++ layer's owners as the tool names them, and loading one from bytes
// with failures named after their file.
#pragma once

#include "failure.hpp"
#include "vexalkit_cpp.hpp"

#include <span>
#include <string>

namespace vexl::cli {

using vexalkit::Bytes;
using vexalkit::FileType;
using vexalkit::Model;
using vexalkit::PakDirectory;
using vexalkit::Palette;
using vexalkit::Picture;
using vexalkit::Sprite;
using vexalkit::WadDirectory;

// Loads an owner of the layer from bytes; a failure names `what`.
template <typename Owned> Owned load(std::span<const uint8_t> bytes, const std::string& what) {
    return vexalkit::withContext(what, [&] { return Owned::load(bytes); });
}

} // namespace vexl::cli
