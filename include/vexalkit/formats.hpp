// Byte layouts of the file formats, for callers that look at raw bytes
// (listing a WAD2 entry's data, telling a palette file by its size).
#pragma once

#include <cstdint>

namespace vexalkit::format {

// PAK: a 12-byte header, then 64-byte directory entries with a 56-byte name.
inline constexpr uint32_t kPakHeaderBytes = 12;
inline constexpr uint32_t kPakEntryBytes = 64;

// WAD2: a 12-byte header, then 32-byte directory entries with a 16-byte name.
inline constexpr uint32_t kWadHeaderBytes = 12;
inline constexpr uint32_t kWadEntryBytes = 32;
inline constexpr uint32_t kWadNameBytes = 16;

// Palette: 256 colours of three bytes (red, green, blue).
inline constexpr uint32_t kPaletteColors = 256;
inline constexpr uint32_t kPaletteBytes = 3 * kPaletteColors;

// Colormap: rows of 256 palette indices, then one trailing byte.
inline constexpr uint32_t kColorMapRowBytes = 256;

// Picture: width and height as 32-bit values, then the pixel indices.
inline constexpr uint32_t kPictureHeaderBytes = 8;

} // namespace vexalkit::format
