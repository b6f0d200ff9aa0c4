#include "formats/images.hpp"

#include "failure.hpp"
#include "formats/png_codec.hpp"

#include <string>

namespace vexl::cli {
namespace {

constexpr uint32_t kSwatchSide = 16;
constexpr uint32_t kAlphaMask = 0x00FFFFFF;

std::span<const uint32_t> colorsOf(const vexalkit::Palette& palette) {
    const std::span<const uint32_t> colors = palette.colors();
    if (colors.size() != vexalkit::format::kPaletteColors) {
        throw Failure("the palette holds no colours");
    }
    return colors;
}

} // namespace

Image expand(uint32_t width, uint32_t height, std::span<const uint8_t> indices,
             const vexalkit::Palette& palette, const Shading& shading) {
    colorsOf(palette);
    // A picture record over the caller's indices, read and never freed, so
    // that every picture is expanded by the library's own rules.
    VEXLPICTURE_T borrowed{};
    borrowed.width = width;
    borrowed.height = height;
    borrowed.pixels = const_cast<uint8_t*>(indices.data());
    const vexalkit::Colors colors = vexalkit::PictureView(borrowed).toRGBA(palette, shading.row);
    if (colors.empty()) {
        throw Failure("cannot expand a picture of " + std::to_string(width) + " x " +
                      std::to_string(height) + " pixels");
    }
    Image image{width, height, {colors.begin(), colors.end()}, shading.transparent.has_value()};
    if (shading.transparent) {
        for (size_t i = 0; i < indices.size(); ++i) {
            if (indices[i] == *shading.transparent) {
                image.colors[i] &= kAlphaMask;
            }
        }
    }
    return image;
}

Image paletteSwatch(const vexalkit::Palette& palette) {
    const std::span<const uint32_t> colors = colorsOf(palette);
    return {kSwatchSide, kSwatchSide, std::vector<uint32_t>(colors.begin(), colors.end()), false};
}

Image colorMapImage(const vexalkit::Palette& paletteWithColorMap) {
    return expand(vexalkit::format::kColorMapRowBytes, paletteWithColorMap.colorMapRows(),
                  paletteWithColorMap.colorMap(), paletteWithColorMap);
}

Image enlarge(const Image& image, uint32_t factor) {
    if (factor <= 1) {
        return image;
    }
    Image large;
    large.width = image.width * factor;
    large.height = image.height * factor;
    large.hasAlpha = image.hasAlpha;
    large.colors.reserve(static_cast<size_t>(large.width) * large.height);
    for (uint32_t y = 0; y < large.height; ++y) {
        const uint32_t* row = image.colors.data() + static_cast<size_t>(y / factor) * image.width;
        for (uint32_t x = 0; x < large.width; ++x) {
            large.colors.push_back(row[x / factor]);
        }
    }
    return large;
}

std::vector<uint8_t> toPng(const Image& image) {
    return encodePng(image.width, image.height, image.colors.data(), image.hasAlpha);
}

} // namespace vexl::cli
