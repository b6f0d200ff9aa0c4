// The game's texture WAD2 entries as the tool reads and writes them beyond
// the library: entry types, mip-mapped textures, and the rules textures keep.
#pragma once

#include "vexalkit.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vexl::cli {

// The WAD2 entry types the game uses.
namespace wad_type {
inline constexpr uint8_t kPalette = 0x40; // '@'
inline constexpr uint8_t kPicture = 0x42; // 'B'
inline constexpr uint8_t kTexture = 0x44; // 'D', mip-mapped
} // namespace wad_type

// What a WAD2 entry's type code stands for, for info and summaries.
std::string wadTypeName(uint8_t type);

// Whether a directory entry's stored bytes lie inside an archive of
// `archiveSize` bytes (after the header, and not empty).
bool wadEntryInside(const VEXLWADENTRY_T& entry, size_t archiveSize);

// Why a directory entry's name cannot name a file of its own: WAD2 names are
// flat, so a separator in one would make a path. Nothing when it can.
std::optional<std::string> wadNameRefusal(std::string_view name);

// A texture's and a directory entry's name field: 16 bytes, zero-padded.
inline constexpr uint32_t kTextureNameBytes = 16;
// The header of a mip texture: the name, the sides, four level offsets.
inline constexpr uint32_t kTextureHeaderBytes = kTextureNameBytes + 4 * 6;
inline constexpr uint32_t kMipLevels = 4;
// The index a texture named "{..." draws as transparent.
inline constexpr uint8_t kTransparentIndex = 255;

// A WAD2 mip-mapped texture: a 16-byte name, width and height, and the
// offsets of four pictures of width x height halved three times.
struct MipTexture {
    std::string name;
    uint32_t width = 0;
    uint32_t height = 0;
    std::array<std::span<const uint8_t>, kMipLevels> levels; // full size first
};

// Reads the texture in `bytes`; throws Failure naming `what` when a size is
// not a multiple of 8 or a picture lies outside the bytes.
MipTexture readMipTexture(std::span<const uint8_t> bytes, const std::string& what);

// Some texture WADs hold bare 128 x 128 pictures under the texture type.
inline constexpr uint32_t kBareTextureSide = 128;
inline bool isBareTexture(std::span<const uint8_t> bytes) {
    return bytes.size() == size_t{kBareTextureSide} * kBareTextureSide;
}

// A texture named "{..." draws kTransparentIndex as transparent.
inline bool hasTransparentIndex(const std::string& name) {
    return !name.empty() && name.front() == '{';
}

} // namespace vexl::cli
