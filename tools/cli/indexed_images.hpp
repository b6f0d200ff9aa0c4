// Images the library does not make itself: palette swatches, colormap
// tables, and the palette-indexed pictures of WAD2 textures.
#pragma once

#include "imaging.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace vexl::cli {

// `width` x `height` palette indices through `palette`; with
// `clearLastIndex`, index 255 is fully transparent (an RGBA image).
Image indexedImage(uint32_t width, uint32_t height, std::span<const uint8_t> indices,
                   const Palette& palette, bool clearLastIndex);

// The 256 colours as a 16 x 16 swatch, index 0 at the top left.
Image paletteSwatch(const Palette& palette);

// One image row per colormap row: 256 pixels, the colours its indices name.
Image colorMapImage(const Palette& paletteWithColorMap);

// A WAD2 mip-mapped texture: a 16-byte name, width and height, and the
// offsets of four pictures of width x height halved three times.
struct MipTexture {
    std::string name;
    uint32_t width = 0;
    uint32_t height = 0;
    std::array<std::span<const uint8_t>, 4> levels; // full size first
};

// Reads the texture in `bytes`; throws Failure naming `what` when a size is
// not a multiple of 8 or a picture lies outside the bytes.
MipTexture readMipTexture(std::span<const uint8_t> bytes, const std::string& what);

// Some texture WADs hold bare 128 x 128 pictures under the texture type.
inline constexpr uint32_t kBareTextureSide = 128;
inline bool isBareTexture(std::span<const uint8_t> bytes) {
    return bytes.size() == size_t{kBareTextureSide} * kBareTextureSide;
}

// A texture named "{..." draws index 255 as transparent.
inline bool hasTransparentIndex(const std::string& name) {
    return !name.empty() && name.front() == '{';
}

} // namespace vexl::cli
