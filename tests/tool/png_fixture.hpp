// PNG files built chunk by chunk on zlib, for inputs the tool never writes
// itself: other colour types and depths, interlacing, forged headers.
#pragma once

#include <cstdint>
#include <vector>

namespace vexl::testing {

struct PngLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitDepth = 8;  // 8 or 16: every pixel is whole bytes
    uint8_t colorType = 6; // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    bool interlaced = false;
    std::vector<uint8_t> palette;      // PLTE: red, green, blue of each entry
    std::vector<uint8_t> transparency; // tRNS: the alpha of the first entries
};

// A PNG file of `samples`, the unfiltered rows of the whole image one after
// another; with `interlaced` they are regrouped into the seven passes.
std::vector<uint8_t> pngBytes(const PngLayout& layout, const std::vector<uint8_t>& samples);

// A file that is only the signature and a header chunk claiming this size.
std::vector<uint8_t> pngHeaderOnly(uint32_t width, uint32_t height);

} // namespace vexl::testing
