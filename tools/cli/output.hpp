// Writing the tool's output files: whole or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vexl::cli {

// Writes `bytes` to a temporary file beside `path` and renames it into place,
// so a failure never leaves a partial file under the final name. Creates the
// parent directories. Throws Failure on any error, after removing the
// temporary file.
void writeFileAtomically(const std::filesystem::path& path, const uint8_t* bytes, size_t size);

inline void writeFileAtomically(const std::filesystem::path& path,
                                const std::vector<uint8_t>& bytes) {
    writeFileAtomically(path, bytes.data(), bytes.size());
}

// The PNG encoding of `width` * `height` colours 0xAARRGGBB, row after row.
// With `withAlpha` false the alpha byte is dropped (an RGB image).
std::vector<uint8_t> encodePng(uint32_t width, uint32_t height, const uint32_t* colors,
                               bool withAlpha);

} // namespace vexl::cli
