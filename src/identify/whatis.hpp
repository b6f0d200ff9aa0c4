// Telling which kind of game file a block of bytes holds.
//
// The five formats with a four-character magic are recognised first; then,
// in this order, a picture (size = width × height + 8, the two little-endian
// values at offsets 0 and 4, in wrapping 32-bit arithmetic), a palette (768
// bytes), a colormap (32 or 64 rows of 256 bytes and one byte more) and a
// 4000-byte file.
#pragma once

#include <cstdint>

namespace vexl {

namespace filetype {
constexpr int32_t kUnsupported = 0;
constexpr int32_t kPak = 1;
constexpr int32_t kWad2 = 2;
constexpr int32_t kModel = 4;
constexpr int32_t kSprite = 8;
constexpr int32_t kRiff = 9;
constexpr int32_t kPicture = 10;
constexpr int32_t kPalette = 11;
constexpr int32_t kColorMap = 12;
constexpr int32_t kFourThousand = 13;
} // namespace filetype

// Writes the type code on every path; returns 0 when a type was found and 7
// when none was. The bytes are only looked at.
int32_t whatIs(const uint8_t* const& buffer, const uint32_t& size, int32_t& type);

} // namespace vexl
