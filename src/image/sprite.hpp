// Sprites: a 36-byte header, then frame entries back to back. An entry is a
// kind (0: one picture follows; anything else: a group), and for a group a
// picture count and that many float intervals before its pictures. Each
// picture is origin x, origin y, width, height and width × height indices.
// All integers are 32-bit little-endian.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>

namespace vexl {

namespace sprite {
constexpr char kMagic[] = "IDSP";
constexpr uint32_t kMagicSize = 4;
constexpr uint32_t kVersion = 1;
constexpr uint32_t kUnreadHeaderField = 4; // between frame count and sync type
constexpr uint32_t kKindSingle = 0;
constexpr uint32_t kKindSize = 4;
constexpr uint32_t kGroupCountSize = 4;
constexpr uint32_t kIntervalSize = 4;
constexpr uint32_t kPictureHeaderSize = 16; // origin x, origin y, width, height
// A group's pictures are counted in 16 bits.
constexpr uint32_t kMaxGroupPictures = 65534;
// How far the entries may declare more bytes than the data holds: a file
// cut short still loads, its missing bytes read as zero. Beyond this the
// counts are taken for garbage and the sprite is refused.
constexpr uint64_t kMaxShortfall = 1u << 20;
} // namespace sprite

// Empties the record, then fills it. Status 1 (no bytes: record untouched),
// 50 (bad magic, or counts the data cannot back: see sprite.cpp), 51
// (version not 1), 52/53 (header width/height 0), 54 (no frames) or 0; the
// record is empty after every failure but 1.
int32_t spriteLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLSPRITE_T& sprite);

// Empties every picture, frees the arrays and zeroes the record.
void spriteKill(VEXLSPRITE_T& sprite);

} // namespace vexl
