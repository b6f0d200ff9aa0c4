// The 256-colour palette and the colormap that belongs to it.
//
// A palette file is exactly 768 bytes: 256 entries of red, green, blue. A
// colormap file is n rows of 256 palette indices followed by one tail byte,
// so its size is 256 × n + 1. Neither has a header; the size is the test.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>

namespace vexl {

namespace palette {
constexpr uint32_t kColorCount = 256;
constexpr uint32_t kBytesPerColor = 3;
constexpr uint32_t kFileSize = kColorCount * kBytesPerColor;
constexpr uint32_t kOpaque = 0xFF000000;
constexpr uint32_t kRowSize = 256;
constexpr uint32_t kColorMapTailSize = 1;
} // namespace palette

// Empties the record, then fills its palette. Status 1 (no bytes: record
// untouched), 30 (not 768 bytes, or no memory: record empty) or 0.
int32_t paletteLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLPALETTE_T& palette);

// Adds a colormap to a record that holds a palette. Status 1, 33 (no
// palette), 31 (size not 256 × n + 1 with n ≥ 1, or no memory), 34 (one is
// already loaded) or 0. Every failure leaves the record unchanged.
int32_t colorMapLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLPALETTE_T& palette);

void paletteKill(VEXLPALETTE_T& palette);

} // namespace vexl
