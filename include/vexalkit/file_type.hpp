// Telling a file's kind from its bytes.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/bytes.hpp"

#include <cstdint>
#include <span>
#include <string_view>

namespace vexalkit {

// Every type vexlWhatIs reports.
enum class FileType : int32_t {
    Unknown = 0,
    Pak = 1,
    Wad2 = 2,
    Model = 4,
    Sprite = 8,
    Riff = 9,
    Picture = 10,
    Palette = 11,
    ColorMap = 12,
    Block4000 = 13,
};

// A short lower-case name: "pak", "wad2", "model", "sprite", "riff",
// "picture", "palette", "colormap", "block4000" or "unknown".
inline std::string_view typeName(FileType type) {
    switch (type) {
    case FileType::Pak:
        return "pak";
    case FileType::Wad2:
        return "wad2";
    case FileType::Model:
        return "model";
    case FileType::Sprite:
        return "sprite";
    case FileType::Riff:
        return "riff";
    case FileType::Picture:
        return "picture";
    case FileType::Palette:
        return "palette";
    case FileType::ColorMap:
        return "colormap";
    case FileType::Block4000:
        return "block4000";
    case FileType::Unknown:
        break;
    }
    return "unknown";
}

// A phrase for people: "PAK archive", "4000-byte file", ...
inline std::string_view typeDescription(FileType type) {
    switch (type) {
    case FileType::Pak:
        return "PAK archive";
    case FileType::Wad2:
        return "WAD2 archive";
    case FileType::Riff:
        return "RIFF container";
    case FileType::Block4000:
        return "4000-byte file";
    default:
        return typeName(type);
    }
}

// The type of the bytes: a magic first, then the sizes of the formats
// without one (a picture's width x height + 8, 768, 8193 or 16385, 4000).
// Unknown when none fits; never throws for blocks below 4 GiB.
inline FileType whatIs(std::span<const uint8_t> bytes) {
    int32_t type = 0;
    vexlWhatIs(bytes.data(), detail::sizeOf(bytes), type);
    return static_cast<FileType>(type);
}

} // namespace vexalkit
