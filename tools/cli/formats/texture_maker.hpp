// Making WAD2 mip-mapped textures from true-colour pictures.
#pragma once

#include "formats/png_codec.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace vexl::cli {

// The palette index nearest to a colour, by squared distance in RGB (the
// sum of the squared differences of red, green and blue), among the
// indices allowed; ties go to the lower index.
class PaletteMatcher {
  public:
    PaletteMatcher(std::span<const uint32_t> colors, std::vector<bool> allowed);
    uint8_t nearest(uint32_t color);
    // The same matcher without index 255 (kept for transparency).
    PaletteMatcher withoutLastIndex() const;

  private:
    std::array<uint32_t, 256> colors_{};
    std::vector<bool> allowed_;
    std::unordered_map<uint32_t, uint8_t> known_;
};

// The indices a colormap maps to themselves in every row: drawn at full
// brightness whatever the light.
std::vector<bool> fullbrightIndices(std::span<const uint8_t> colorMap, uint32_t rows);

// A texture entry: the 16-byte name, the sides, the four offsets and the
// four mip levels, each level averaged in RGB from the full-size picture
// and then mapped to the palette. With `transparent`, pixels of alpha below
// 128 (at smaller levels: blocks mostly so) become index 255. Sides must be
// multiples of 8 (checked by the caller).
std::vector<uint8_t> makeTexture(const std::string& name, const DecodedPng& picture,
                                 PaletteMatcher& opaque, bool transparent);

struct WadEntryToWrite {
    std::string name; // at most 15 characters
    uint8_t type = 0;
    std::vector<uint8_t> bytes;
};

// A WAD2 archive: header, the entries back to back, then the directory.
std::vector<uint8_t> buildWad2(const std::vector<WadEntryToWrite>& entries);

} // namespace vexl::cli
