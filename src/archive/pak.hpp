// The directory of a PAK archive on disk.
//
// Layout: a 12-byte header ("PACK", directory offset, directory length),
// then wherever the header says, 64-byte entries: a 56-byte zero-padded
// name, the data's offset and its length, all integers little-endian.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>

namespace vexl {

namespace pak {
constexpr uint32_t kHeaderSize = 12;
constexpr uint32_t kEntrySize = 64;
constexpr uint32_t kNameFieldSize = 56;
constexpr char kMagic[] = "PACK";
constexpr uint32_t kMagicSize = 4;
} // namespace pak

int32_t packInfoRead(FBSTRING& archiveName, VEXLPACKINFO_T& info);
void packInfoKill(VEXLPACKINFO_T& info);

} // namespace vexl
