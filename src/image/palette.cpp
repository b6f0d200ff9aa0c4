#include "image/palette.hpp"

#include "frame/blocks.hpp"
#include "frame/reader.hpp"
#include "frame/status.hpp"

namespace vexl {

void paletteKill(VEXLPALETTE_T& palette) {
    palette.colorMapRows = 0;
    palette.colorMapTail = 0;
    freeBlock(palette.colorMap);
    freeBlock(palette.colors);
}

int32_t paletteLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLPALETTE_T& palette) {
    if (buffer == nullptr || size == 0) {
        return status::kNoMemoryPointer;
    }
    // Emptied before the size test: a rejected file leaves no stale palette.
    paletteKill(palette);
    if (size != palette::kFileSize) {
        return status::kNotPalette;
    }
    uint32_t* colors = allocBlock<uint32_t>(palette::kColorCount);
    if (colors == nullptr) {
        return status::kNotPalette;
    }
    uint32_t cursor = 0;
    for (uint32_t index = 0; index < palette::kColorCount; ++index) {
        uint8_t rgb[3] = {};
        vexlReadByte3(buffer, size, cursor, rgb);
        colors[index] = palette::kOpaque | static_cast<uint32_t>(rgb[0]) << 16 |
                        static_cast<uint32_t>(rgb[1]) << 8 | rgb[2];
    }
    palette.colors = colors;
    return status::kOk;
}

int32_t colorMapLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLPALETTE_T& palette) {
    if (buffer == nullptr || size == 0) {
        return status::kNoMemoryPointer;
    }
    if (palette.colors == nullptr) {
        return status::kColorMapBeforePalette;
    }
    // A lone tail byte would give a colormap of no rows, which no row number
    // could index: it is refused like any other unusable size.
    if (size % palette::kRowSize != palette::kColorMapTailSize ||
        size == palette::kColorMapTailSize) {
        return status::kNotColorMap;
    }
    if (palette.colorMap != nullptr) {
        return status::kColorMapLoaded;
    }
    const uint32_t rows = size / palette::kRowSize;
    const uint32_t mapBytes = rows * palette::kRowSize;
    uint8_t* colorMap = allocBlock<uint8_t>(mapBytes);
    if (colorMap == nullptr) {
        return status::kNotColorMap;
    }
    uint32_t cursor = 0;
    vexlReadBytes(buffer, size, cursor, colorMap, mapBytes);
    vexlReadByte(buffer, size, cursor, palette.colorMapTail);
    palette.colorMap = colorMap;
    palette.colorMapRows = rows;
    return status::kOk;
}

} // namespace vexl
