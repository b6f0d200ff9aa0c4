// The sample palette and its colormap of 64 light levels.
#include "sample.hpp"
#include "writers/image_writer.hpp"

#include <algorithm>
#include <array>

namespace vexl::sample {
namespace {

using writers::Rgb;

// The colour of each ramp at its brightest ordinary shade.
constexpr std::array<Rgb, kShades> kRampColors = {{
    {200, 200, 200}, // grey
    {150, 96, 52},   // fur
    {214, 180, 130}, // tan
    {208, 48, 40},   // red
    {236, 128, 32},  // orange
    {240, 216, 64},  // yellow
    {72, 176, 64},   // green
    {96, 120, 56},   // moss
    {56, 96, 216},   // blue
    {64, 200, 208},  // cyan
    {136, 72, 200},  // purple
    {232, 120, 168}, // pink
    {236, 176, 148}, // skin
    {96, 112, 136},  // slate
    {255, 224, 120}, // fire
    {255, 255, 255}, // special
}};

uint8_t channel(uint8_t top, uint32_t shade) {
    // Shades 0 to 11 rise from black to the ramp's colour; 12 to 15 lighten
    // it towards white.
    constexpr uint32_t kFullShade = 11;
    if (shade <= kFullShade) {
        return static_cast<uint8_t>(top * (shade + 1) / (kFullShade + 1));
    }
    const uint32_t toWhite = shade - kFullShade; // 1 to 4 fifths of the way
    return static_cast<uint8_t>(top + (255 - top) * toWhite / 5);
}

// The last ramp holds marker colours rather than shades.
Rgb specialColor(uint32_t shade) {
    if (shade == kShades - 1) {
        return {255, 0, 255}; // the key colour
    }
    return {static_cast<uint8_t>(shade * 17), 255, static_cast<uint8_t>(255 - shade * 17)};
}

} // namespace

uint8_t shadeOf(uint8_t rampIndex, int shade) {
    const int clamped = std::clamp(shade, 0, static_cast<int>(kShades) - 1);
    return static_cast<uint8_t>(rampIndex * kShades + static_cast<uint32_t>(clamped));
}

Bytes palette() {
    std::vector<Rgb> colors;
    for (uint32_t index = 0; index < 256; ++index) {
        const uint32_t rampIndex = index / kShades;
        const uint32_t shade = index % kShades;
        if (rampIndex == ramp::kSpecial) {
            colors.push_back(specialColor(shade));
            continue;
        }
        const Rgb top = kRampColors[rampIndex];
        colors.push_back(
            {channel(top.red, shade), channel(top.green, shade), channel(top.blue, shade)});
    }
    return writers::paletteBytes(colors);
}

Bytes colorMap() {
    // Row 32 leaves every index as it is; rows above it brighten, rows below
    // darken, each within the index's own ramp. Marker colours never change.
    constexpr uint32_t kNeutralRow = 32;
    return writers::colorMapBytes(kColorMapRows, [](uint32_t row, uint32_t index) {
        const uint32_t rampIndex = index / kShades;
        if (rampIndex == ramp::kSpecial) {
            return static_cast<uint8_t>(index);
        }
        const int shade = static_cast<int>(index % kShades);
        const int lit =
            (shade * static_cast<int>(kColorMapRows - row) + 16) / static_cast<int>(kNeutralRow);
        return shadeOf(static_cast<uint8_t>(rampIndex), lit);
    });
}

} // namespace vexl::sample
