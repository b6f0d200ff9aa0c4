// Palette-indexed pictures: the record shared by stand-alone pictures,
// sprite frames and model skins, and its expansion to 32-bit colours.
//
// A picture file is the width and height (32-bit little-endian) followed by
// width × height palette indices, row after row, and nothing else.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>

namespace vexl {

namespace picture {
constexpr uint32_t kHeaderSize = 8;
} // namespace picture

// Empties the record, then fills it. Status 1 (no bytes: record untouched),
// 32 (size is not 8 + width × height, or no memory: record empty) or 0.
int32_t pictureLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLPICTURE_T& picture);

// Frees the pixel block and zeroes the record; safe on an empty record.
void pictureKill(VEXLPICTURE_T& picture);

// A new calloc'd block of width × height colours, or null for an empty
// picture, a record without palette, a result beyond 32 bits or no memory.
// A non-negative `row` picks a colormap row, clamped to the last one, and
// is rewritten to that row's offset (row × 256); a negative row, or a
// record without colormap rows, expands through the palette alone and
// leaves `row` as it was.
uint32_t* pictureToRGB(const VEXLPICTURE_T& picture, const VEXLPALETTE_T& palette, int32_t& row);

} // namespace vexl
