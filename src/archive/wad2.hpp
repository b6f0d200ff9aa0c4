// The directory of a WAD2 archive held in memory.
//
// Layout: a 12-byte header ("WAD2", entry count, directory offset), then at
// the directory offset `entry count` entries of 32 bytes: data offset,
// stored length, unpacked length (32-bit little-endian each), a type byte, a
// compression byte, 2 padding bytes and a 16-byte name field that ends at
// its first zero byte or at its end. Only the directory is read.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>

namespace vexl {

namespace wad2 {
constexpr char kMagic[] = "WAD2";
constexpr uint32_t kMagicWidth = 4;
constexpr uint32_t kHeaderSize = 12;
constexpr uint32_t kEntrySize = 32;
constexpr uint32_t kPaddingSize = 2;
constexpr uint32_t kNameFieldSize = 16;
constexpr uint32_t kNameOffset = 16;
} // namespace wad2

// Fills an empty record; on failure (12: not a WAD2 archive, 13: no entries,
// a directory outside the buffer, or no memory for it) the record is left
// exactly as it was.
int32_t wadGetInfo(const uint8_t* const& buffer, const uint32_t& size, VEXLWADINFO_T& info);
void wadKill(VEXLWADINFO_T& info);

} // namespace vexl
