#include "indexed_images.hpp"

#include <cstring>

namespace vexl::cli {
namespace {

constexpr uint32_t kSwatchSide = 16;
constexpr uint32_t kTextureNameBytes = 16;
constexpr uint32_t kTextureHeaderBytes = kTextureNameBytes + 4 * 6;
constexpr uint32_t kLevelCount = 4;
constexpr uint8_t kTransparentIndex = 255;
constexpr uint32_t kAlphaMask = 0x00FFFFFF;

uint32_t u32At(std::span<const uint8_t> bytes, size_t at) {
    return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8U | uint32_t{bytes[at + 2]} << 16U |
           uint32_t{bytes[at + 3]} << 24U;
}

const std::span<const uint32_t> colorsOf(const Palette& palette) {
    const std::span<const uint32_t> colors = palette.colors();
    if (colors.size() != vexalkit::format::kPaletteColors) {
        throw Failure("the palette holds no colours");
    }
    return colors;
}

} // namespace

Image indexedImage(uint32_t width, uint32_t height, std::span<const uint8_t> indices,
                   const Palette& palette, bool clearLastIndex) {
    const std::span<const uint32_t> colors = colorsOf(palette);
    Image image;
    image.width = width;
    image.height = height;
    image.hasAlpha = clearLastIndex;
    image.colors.reserve(indices.size());
    for (const uint8_t index : indices) {
        const bool clear = clearLastIndex && index == kTransparentIndex;
        image.colors.push_back(clear ? colors[index] & kAlphaMask : colors[index]);
    }
    return image;
}

Image paletteSwatch(const Palette& palette) {
    const std::span<const uint32_t> colors = colorsOf(palette);
    return {kSwatchSide, kSwatchSide, std::vector<uint32_t>(colors.begin(), colors.end()), false};
}

Image colorMapImage(const Palette& paletteWithColorMap) {
    const std::span<const uint8_t> map = paletteWithColorMap.colorMap();
    return indexedImage(vexalkit::format::kColorMapRowBytes, paletteWithColorMap.colorMapRows(),
                        map, paletteWithColorMap, false);
}

MipTexture readMipTexture(std::span<const uint8_t> bytes, const std::string& what) {
    if (bytes.size() < kTextureHeaderBytes) {
        throw Failure(what + ": a texture of " + std::to_string(bytes.size()) +
                      " bytes, shorter than its 40-byte header");
    }
    MipTexture texture;
    const auto* name = reinterpret_cast<const char*>(bytes.data());
    texture.name.assign(name, strnlen(name, kTextureNameBytes));
    texture.width = u32At(bytes, kTextureNameBytes);
    texture.height = u32At(bytes, kTextureNameBytes + 4);
    if (texture.width == 0 || texture.height == 0 || texture.width % 8 != 0 ||
        texture.height % 8 != 0) {
        throw Failure(what + ": texture of " + std::to_string(texture.width) + " x " +
                      std::to_string(texture.height) +
                      "; sides must be non-zero multiples of 8 as the game requires");
    }
    for (uint32_t level = 0; level < kLevelCount; ++level) {
        const uint64_t offset = u32At(bytes, kTextureNameBytes + 8 + 4 * level);
        const uint64_t size = uint64_t{texture.width >> level} * (texture.height >> level);
        if (offset < kTextureHeaderBytes || offset + size > bytes.size()) {
            throw Failure(what + ": mip level " + std::to_string(level) + " (" +
                          std::to_string(size) + " bytes at " + std::to_string(offset) +
                          ") lies outside the entry's " + std::to_string(bytes.size()) + " bytes");
        }
        texture.levels[level] = bytes.subspan(offset, size);
    }
    return texture;
}

} // namespace vexl::cli
