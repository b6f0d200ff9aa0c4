// PNG encoding: the one place that knows the PNG library, so it can be
// swapped for another without touching the commands.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vexl::cli {

// The PNG encoding of `width` * `height` colours 0xAARRGGBB, row after row.
// With `withAlpha` false the alpha byte is dropped (an RGB image). Throws
// Failure for an empty image or one of more than about 2 GiB of samples.
std::vector<uint8_t> encodePng(uint32_t width, uint32_t height, const uint32_t* colors,
                               bool withAlpha);

// A decoded PNG: `width` * `height` colours 0xAARRGGBB, row after row.
struct DecodedPng {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> colors;
};

// Decodes any PNG (every colour type, depth and interlacing) to 8-bit RGBA;
// throws Failure naming `what` when the bytes are not a PNG it can read or
// their header claims more than 4096 pixels on a side.
DecodedPng decodePng(std::span<const uint8_t> bytes, const std::string& what);

} // namespace vexl::cli
