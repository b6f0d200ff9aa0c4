// Status codes returned by the library's entry points. 0 is success.
#pragma once

#include <cstdint>
#include <string_view>

namespace vexl::status {

constexpr int32_t kOk = 0;
constexpr int32_t kNoMemoryPointer = 1;
constexpr int32_t kNoFileHandle = 2;
constexpr int32_t kNoFileName = 3;
constexpr int32_t kFileNotFound = 4;
constexpr int32_t kFileEmpty = 5;
constexpr int32_t kIoError = 6;
constexpr int32_t kTypeUnsupported = 7;
constexpr int32_t kNotPak = 10;
constexpr int32_t kPakCorrupted = 11;
constexpr int32_t kWadBadMagic = 12;
constexpr int32_t kWadBadDirectory = 13;
constexpr int32_t kNotModel = 20;
constexpr int32_t kModelVersion = 21;
constexpr int32_t kModelNoSkin = 22;
constexpr int32_t kModelSkinWidth = 23;
constexpr int32_t kModelSkinHeight = 24;
constexpr int32_t kModelNoVertex = 25;
constexpr int32_t kModelNoTriangle = 26;
constexpr int32_t kModelNoFrame = 27;
constexpr int32_t kNotPalette = 30;
constexpr int32_t kNotColorMap = 31;
constexpr int32_t kNotPicture = 32;
constexpr int32_t kColorMapBeforePalette = 33;
constexpr int32_t kColorMapLoaded = 34;
constexpr int32_t kScopeTooHigh = 40;
constexpr int32_t kScopeTooLow = 41;
constexpr int32_t kRootStatement = 42;
constexpr int32_t kCorruptEntity = 43;
constexpr int32_t kSpriteBadMagic = 50;
constexpr int32_t kSpriteVersion = 51;
constexpr int32_t kSpriteWidth = 52;
constexpr int32_t kSpriteHeight = 53;
constexpr int32_t kSpriteNoFrame = 54;

// Reasons that have no code of their own and are reported under another's.
// No status exists for a failed allocation: each loader reports it under the
// code it gives a file that it cannot load.
constexpr int32_t kFileNoMemory = kIoError;
constexpr int32_t kPakNoMemory = kIoError;
constexpr int32_t kEntryNoMemory = kFileNotFound;
constexpr int32_t kWadNoMemory = kWadBadDirectory;
constexpr int32_t kModelNoMemory = kNotModel;
constexpr int32_t kPaletteNoMemory = kNotPalette;
constexpr int32_t kColorMapNoMemory = kNotColorMap;
constexpr int32_t kPictureNoMemory = kNotPicture;
constexpr int32_t kSpriteNoMemory = kSpriteBadMagic;
// Counts that the data cannot back: a section that runs past the end, a
// count beyond what the record holds.
constexpr int32_t kModelUnbacked = kNotModel;
constexpr int32_t kSpriteUnbacked = kSpriteBadMagic;

// The message of a code, or an empty view for codes that have none.
std::string_view message(int32_t code);

} // namespace vexl::status
