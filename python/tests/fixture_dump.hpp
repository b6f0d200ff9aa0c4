// Writes what the C++ records hold for a file, array by array, so that the
// Python tests can compare the module's arrays with them byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace vexl::pyfixtures {

// Writes `size` bytes from `data` to `file`, replacing it and creating its
// folder; throws std::runtime_error when it cannot.
void writeBytes(const std::filesystem::path& file, const void* data, std::size_t size);

// Loads `bytes` by their type (model, sprite, picture) and writes one .bin
// file per array plus meta.json into `folder`.
void dumpRecord(const std::filesystem::path& folder, std::span<const uint8_t> bytes);

// The palette's colours as red, green, blue bytes, its colormap, and
// `picture` expanded through it (plain and through colormap row 1).
void dumpPalette(const std::filesystem::path& folder, std::span<const uint8_t> palette,
                 std::span<const uint8_t> colorMap, std::span<const uint8_t> picture);

// The directory entries of a WAD2 archive in memory, or of a PAK archive on
// disk, as meta.json in `folder`.
void dumpWad(const std::filesystem::path& folder, std::span<const uint8_t> bytes);
void dumpPak(const std::filesystem::path& folder, const std::filesystem::path& archive);

} // namespace vexl::pyfixtures
