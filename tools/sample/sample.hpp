// The files of the project's sample archive, every byte generated here.
#pragma once

#include "writers/byte_writer.hpp"

#include <cstdint>
#include <vector>

namespace vexl::sample {

using writers::Bytes;

// The palette is 16 ramps of 16 shades, dark to light; index 255 is the
// key colour that stands for "no pixel" in sprites.
namespace ramp {
constexpr uint8_t kGrey = 0;
constexpr uint8_t kFur = 1;
constexpr uint8_t kTan = 2;
constexpr uint8_t kRed = 3;
constexpr uint8_t kOrange = 4;
constexpr uint8_t kYellow = 5;
constexpr uint8_t kGreen = 6;
constexpr uint8_t kMoss = 7;
constexpr uint8_t kBlue = 8;
constexpr uint8_t kCyan = 9;
constexpr uint8_t kPurple = 10;
constexpr uint8_t kPink = 11;
constexpr uint8_t kSkin = 12;
constexpr uint8_t kSlate = 13;
constexpr uint8_t kFire = 14;
constexpr uint8_t kSpecial = 15;
} // namespace ramp

constexpr uint8_t kKeyColor = 255;
constexpr uint32_t kShades = 16;
constexpr uint32_t kColorMapRows = 64;

// The palette index of `shade` (0 to 15, clamped) in `ramp`.
uint8_t shadeOf(uint8_t ramp, int shade);

Bytes palette();
Bytes colorMap();

// Pictures: width, height, pixels.
Bytes ringsPicture();
Bytes swatchPicture();
Bytes badgePicture();

// A sprite of a flame: two single frames and a flickering group of four.
Bytes flameSprite();

// A small four-legged creature: single skin and a skin group, seam vertices,
// front- and back-facing triangles, idle frames and a running frame group.
Bytes creatureModel();

// A map source with a few entities and brush blocks.
Bytes mapSource();

// A WAD2 archive holding a few pictures.
Bytes wadArchive();

// Every file of the sample archive under its name inside the archive.
std::vector<writers::PakFile> archiveFiles();

} // namespace vexl::sample
