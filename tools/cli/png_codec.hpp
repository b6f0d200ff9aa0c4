// PNG encoding: the one place that knows the PNG library, so it can be
// swapped for another without touching the commands.
#pragma once

#include <cstdint>
#include <vector>

namespace vexl::cli {

// The PNG encoding of `width` * `height` colours 0xAARRGGBB, row after row.
// With `withAlpha` false the alpha byte is dropped (an RGB image).
std::vector<uint8_t> encodePng(uint32_t width, uint32_t height, const uint32_t* colors,
                               bool withAlpha);

} // namespace vexl::cli
