// Colours for palette-indexed pictures: which palette and colormap row to
// use, and the expansion of a picture into PNG-ready colours.
#pragma once

#include "library.hpp"

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vexl::cli {

struct ColorOptions {
    std::string paletteFile;
    std::string colorMapFile;
    std::optional<int32_t> row;
    std::optional<int32_t> transparent;
};

// --palette, --colormap, --row and --transparent on a subcommand.
void addColorOptions(CLI::App& command, ColorOptions& options);

// The palette (and, when a row is asked for, the colormap): from the named
// files on disk, else gfx/palette.lmp and gfx/colormap.lmp from `archive`.
Palette loadColors(const ColorOptions& options, const std::string& archive);

struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> colors; // 0xAARRGGBB, row after row
    bool hasAlpha = false;
};

// The picture's colours through the palette; pixels of the transparent
// index, if one is set, get alpha 0.
Image expand(vexalkit::PictureView picture, const Palette& palette, const ColorOptions& options);

// The image enlarged `factor` times, every pixel a block of factor x factor.
Image enlarge(const Image& image, uint32_t factor);

// The image as PNG bytes.
std::vector<uint8_t> toPng(const Image& image);

} // namespace vexl::cli
