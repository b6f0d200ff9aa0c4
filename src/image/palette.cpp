#include "image/palette.hpp"

#include "frame/blocks.hpp"
#include "frame/cursor.hpp"
#include "frame/status.hpp"

#include <bit>
#include <cstring>
#include <span>

namespace vexl {
namespace {

// The colour of the triple at `rgb`.
uint32_t colorOf(const uint8_t* rgb) {
    return palette::kOpaque | static_cast<uint32_t>(rgb[0]) << 16 |
           static_cast<uint32_t>(rgb[1]) << 8 | rgb[2];
}

// The same, for a triple followed by at least one more byte. On a
// little-endian host the triple is taken as one word (red in its low byte)
// and byte-swapped into place: a few instructions instead of three loads.
uint32_t colorOfFollowed(const uint8_t* rgb) {
    if constexpr (std::endian::native == std::endian::little) {
        uint32_t word = 0;
        std::memcpy(&word, rgb, sizeof(word));
        return palette::kOpaque | __builtin_bswap32(word) >> 8;
    }
    return colorOf(rgb);
}

} // namespace

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
    // Every colour is written below.
    uint32_t* colors = allocBlockForOverwrite<uint32_t>(palette::kColorCount);
    if (colors == nullptr) {
        return status::kPaletteNoMemory;
    }
    // The 256 triples as one view of the buffer (the size test above makes it
    // whole); every triple but the last is followed by another byte.
    const std::span<const uint8_t> triples = SectionCursor(buffer, size).readSpan(size);
    constexpr uint32_t kLast = palette::kColorCount - 1;
    for (uint32_t index = 0; index < kLast; ++index) {
        colors[index] = colorOfFollowed(triples.data() + index * palette::kBytesPerColor);
    }
    colors[kLast] = colorOf(triples.data() + kLast * palette::kBytesPerColor);
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
    // The size test makes the read below fill every byte of the rows.
    uint8_t* colorMap = allocBlockForOverwrite<uint8_t>(mapBytes);
    if (colorMap == nullptr) {
        return status::kColorMapNoMemory;
    }
    SectionCursor file(buffer, size);
    file.readBytes(colorMap, mapBytes);
    file.readByte(palette.colorMapTail);
    palette.colorMap = colorMap;
    palette.colorMapRows = rows;
    return status::kOk;
}

} // namespace vexl
