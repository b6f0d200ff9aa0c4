// The creature's skin: its side view, painted region by region.
#include "creature.hpp"

#include <cmath>

namespace vexl::sample {
namespace {

// The side view's extent in model units, a little beyond the rest pose.
constexpr double kLeft = -27;
constexpr double kRight = 34;
constexpr double kTop = 23;
constexpr double kBottom = -24;

// Part indices, in the order of buildCreature's parts.
enum PartIndex : size_t { kBody, kHead, kSnout, kLeftEar, kRightEar, kTail, kFirstLeg };

double ellipse(const Part& part, double x, double z) {
    const double dx = (x - part.center.x) / part.radii.x;
    const double dz = (z - part.center.z) / part.radii.z;
    return dx * dx + dz * dz;
}

bool near(double x, double z, double cx, double cz, double radius) {
    return (x - cx) * (x - cx) + (z - cz) * (z - cz) <= radius * radius;
}

// The palette index at a point of the side view.
uint8_t paint(const Creature& creature, double x, double z, int variant) {
    const auto& parts = creature.parts;
    const Part& head = parts[kHead];
    const Part& snout = parts[kSnout];
    const Part& body = parts[kBody];
    const int light = static_cast<int>(std::lround((z - kBottom) / (kTop - kBottom) * 3));
    const uint8_t coat = variant == 2 ? ramp::kRed : ramp::kFur;
    const double eyeX = head.center.x + 4;
    const double eyeZ = head.center.z + 3;
    if (near(x, z, eyeX, eyeZ, 2.0)) {
        if (variant == 1) {
            return std::abs(z - eyeZ) < 0.6 ? shadeOf(ramp::kGrey, 1) : shadeOf(coat, 9);
        }
        return near(x, z, eyeX + 0.6, eyeZ, 1.0) ? shadeOf(ramp::kGrey, 0)
                                                 : shadeOf(ramp::kGrey, 15);
    }
    if (near(x, z, snout.center.x + snout.radii.x * 0.8, snout.center.z + 0.8, 1.4)) {
        return shadeOf(ramp::kGrey, 2); // nose
    }
    if (ellipse(snout, x, z) <= 1.0) {
        return shadeOf(ramp::kTan, 8 + light);
    }
    if (ellipse(parts[kLeftEar], x, z) <= 1.0) {
        return ellipse(parts[kLeftEar], x, z) < 0.4 ? shadeOf(ramp::kPink, 8)
                                                    : shadeOf(coat, 7 + light);
    }
    if (ellipse(head, x, z) <= 1.0) {
        return shadeOf(coat, 8 + light);
    }
    if (ellipse(body, x, z) <= 1.0) {
        if (z < body.center.z - body.radii.z * 0.45) {
            return shadeOf(ramp::kTan, 7 + light); // belly
        }
        const bool stripe = std::sin(x * 0.55) > 0.55 && z > body.center.z - 2;
        return shadeOf(coat, (stripe ? 4 : 8) + light);
    }
    const Part& tail = parts[kTail];
    if (ellipse(tail, x, z) <= 1.0) {
        return x < tail.center.x - tail.radii.x * 0.5 ? shadeOf(ramp::kTan, 11)
                                                      : shadeOf(coat, 7 + light);
    }
    for (size_t leg = kFirstLeg; leg < parts.size(); ++leg) {
        const Part& part = parts[leg];
        if (ellipse(part, x, z) <= 1.0) {
            const bool hoof = z < part.center.z - part.radii.z + 2.5;
            return hoof ? shadeOf(ramp::kGrey, 3) : shadeOf(coat, 6 + light);
        }
    }
    return shadeOf(ramp::kSlate, 2);
}

} // namespace

SkinPoint skinPoint(const Vec3& rest, uint32_t width, uint32_t height) {
    const double half = width / 2 - 1;
    return {static_cast<uint32_t>(std::lround((rest.x - kLeft) / (kRight - kLeft) * half)),
            static_cast<uint32_t>(std::lround((kTop - rest.z) / (kTop - kBottom) * (height - 1)))};
}

Bytes creatureSkin(const Creature& creature, uint32_t width, uint32_t height, int variant) {
    Bytes pixels;
    const uint32_t half = width / 2;
    for (uint32_t row = 0; row < height; ++row) {
        const double z = kTop - (kTop - kBottom) * row / (height - 1);
        for (uint32_t column = 0; column < width; ++column) {
            const double x = kLeft + (kRight - kLeft) * (column % half) / (half - 1);
            pixels.push_back(paint(creature, x, z, variant));
        }
    }
    return pixels;
}

} // namespace vexl::sample
