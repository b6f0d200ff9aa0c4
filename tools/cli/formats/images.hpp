// Palette-indexed pictures made viewable: one expansion through a palette
// (and a colormap row), palette swatches, colormap tables, enlargement and
// PNG encoding.
#pragma once

#include "vexalkit/images.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vexl::cli {

struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> colors; // 0xAARRGGBB, row after row
    bool hasAlpha = false;
};

// How indices become colours: through a colormap row of the palette (which
// must hold one with that row), and with one index fully transparent.
struct Shading {
    std::optional<uint32_t> row;
    std::optional<uint8_t> transparent;
};

// `width` x `height` palette indices as colours, expanded by the library.
Image expand(uint32_t width, uint32_t height, std::span<const uint8_t> indices,
             const vexalkit::Palette& palette, const Shading& shading = {});

inline Image expand(vexalkit::PictureView picture, const vexalkit::Palette& palette,
                    const Shading& shading = {}) {
    return expand(picture.width(), picture.height(), picture.pixels(), palette, shading);
}

// The 256 colours as a 16 x 16 swatch, index 0 at the top left.
Image paletteSwatch(const vexalkit::Palette& palette);

// One image row per colormap row: 256 pixels, the colours its indices name.
Image colorMapImage(const vexalkit::Palette& paletteWithColorMap);

// The image enlarged `factor` times, every pixel a block of factor x factor.
Image enlarge(const Image& image, uint32_t factor);

// The image as PNG bytes.
std::vector<uint8_t> toPng(const Image& image);

} // namespace vexl::cli
