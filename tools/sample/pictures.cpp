// The sample pictures and the flame sprite, drawn pixel by pixel.
#include "sample.hpp"
#include "writers/image_writer.hpp"

#include <cmath>
#include <functional>

namespace vexl::sample {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Pixels from a function of the pixel's column and row.
Bytes draw(uint32_t width, uint32_t height, const std::function<uint8_t(int, int)>& pixel) {
    Bytes pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            pixels.push_back(pixel(static_cast<int>(x), static_cast<int>(y)));
        }
    }
    return pixels;
}

// One flame picture: a tongue of fire whose sway and height follow `phase`.
Bytes flamePixels(int width, int height, double phase, double reach) {
    return draw(width, height, [=](int x, int y) {
        const double up = 1.0 - (y + 0.5) / height; // 0 at the bottom, 1 at the top
        if (up > reach) {
            return kKeyColor;
        }
        const double along = up / reach;
        const double halfWidth =
            0.45 * width * std::pow(std::sin(kPi * (1.0 - along)), 0.6) * (1.0 - 0.5 * along);
        const double sway = 2.5 * along * std::sin(phase + along * 5.0);
        const double offset = std::abs(x + 0.5 - width / 2.0 - sway);
        if (offset > halfWidth) {
            return kKeyColor;
        }
        const double heat = 1.0 - offset / (halfWidth + 0.01) * 0.8 - along * 0.5;
        if (heat > 0.55) {
            return shadeOf(ramp::kFire, static_cast<int>(8 + heat * 8));
        }
        if (heat > 0.3) {
            return shadeOf(ramp::kYellow, static_cast<int>(6 + heat * 10));
        }
        return shadeOf(ramp::kOrange, static_cast<int>(4 + heat * 20));
    });
}

writers::SpritePicture flameFrame(int width, int height, double phase, double reach) {
    return {-width / 2, height, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
            flamePixels(width, height, phase, reach)};
}

} // namespace

Bytes ringsPicture() {
    constexpr uint32_t kWidth = 32;
    constexpr uint32_t kHeight = 24;
    return writers::pictureBytes(kWidth, kHeight, draw(kWidth, kHeight, [](int x, int y) {
                                     const int dx = x - static_cast<int>(kWidth / 2);
                                     const int dy = y - static_cast<int>(kHeight / 2);
                                     const int ring = (dx * dx + dy * dy) / 24;
                                     return shadeOf(ring % 2 == 0 ? ramp::kBlue : ramp::kCyan,
                                                    14 - ring);
                                 }));
}

Bytes swatchPicture() {
    // Every palette index as an 8 x 8 block, ramps as rows.
    constexpr uint32_t kBlock = 8;
    constexpr uint32_t kSide = kShades * kBlock;
    return writers::pictureBytes(kSide, kSide, draw(kSide, kSide, [](int x, int y) {
                                     return static_cast<uint8_t>(y / kBlock * kShades + x / kBlock);
                                 }));
}

Bytes badgePicture() {
    // A lit sphere on a slate plate with a darker border.
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    return writers::pictureBytes(kWidth, kHeight, draw(kWidth, kHeight, [](int x, int y) {
                                     if (x < 2 || y < 2 || x >= kWidth - 2 || y >= kHeight - 2) {
                                         return shadeOf(ramp::kSlate, 3);
                                     }
                                     const double dx = (x - kWidth / 2 + 0.5) / 18.0;
                                     const double dy = (y - kHeight / 2 + 0.5) / 18.0;
                                     const double rr = dx * dx + dy * dy;
                                     if (rr > 1.0) {
                                         return shadeOf(ramp::kSlate, 8 + (x + y) % 2);
                                     }
                                     const double dz = std::sqrt(1.0 - rr);
                                     const double light = 0.6 * dz - 0.5 * dx - 0.6 * dy;
                                     return shadeOf(ramp::kGreen, static_cast<int>(3 + light * 12));
                                 }));
}

Bytes flameSprite() {
    constexpr int kWidth = 24;
    constexpr int kHeight = 32;
    writers::SpriteWriter sprite;
    sprite.type(2).size(kWidth, kHeight).syncType(1);
    // Two embers, then the flame's flicker as a group with its own timing.
    sprite.single(flameFrame(kWidth, kHeight, 0.0, 0.45));
    sprite.single(flameFrame(kWidth, kHeight, 1.0, 0.6));
    std::vector<writers::SpritePicture> flicker;
    for (int i = 0; i < 4; ++i) {
        flicker.push_back(flameFrame(kWidth, kHeight, i * kPi / 2, 0.85 + 0.05 * (i % 2)));
    }
    sprite.group({0.1F, 0.2F, 0.3F, 0.4F}, flicker);
    return sprite.build();
}

} // namespace vexl::sample
