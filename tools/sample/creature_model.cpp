// The creature packed into model data: skins, texture coordinates with the
// seam, triangles wound clockwise as the format keeps them, packed frames.
#include "creature.hpp"
#include "writers/model_writer.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vexl::sample {
namespace {

constexpr uint32_t kSkinWidth = 128;
constexpr uint32_t kSkinHeight = 64;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPackedSteps = 255;

std::vector<Pose> idlePoses() {
    std::vector<Pose> poses;
    for (int i = 0; i < 4; ++i) {
        Pose pose;
        pose.name = "stand" + std::to_string(i + 1);
        pose.breathe = 0.04 * std::sin(i * kPi / 2);
        pose.nod = 0.05 * std::sin(i * kPi / 2);
        pose.wag = 0.25 * std::sin(i * kPi / 2);
        poses.push_back(pose);
    }
    return poses;
}

std::vector<Pose> runPoses() {
    std::vector<Pose> poses;
    for (int i = 0; i < 6; ++i) {
        const double phase = 2 * kPi * i / 6;
        Pose pose;
        pose.name = "run" + std::to_string(i + 1);
        pose.stride = 0.55 * std::sin(phase);
        pose.bob = 1.5 * std::abs(std::cos(phase));
        pose.nod = -0.12 * std::cos(2 * phase);
        pose.wag = 0.4 * std::sin(phase);
        poses.push_back(pose);
    }
    return poses;
}

// Every pose's positions share one scale and translation per axis.
struct Packing {
    Vec3 low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
             std::numeric_limits<double>::max()};
    Vec3 high{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
              std::numeric_limits<double>::lowest()};

    void include(const Vec3& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    Vec3 scale() const {
        return {(high.x - low.x) / kPackedSteps, (high.y - low.y) / kPackedSteps,
                (high.z - low.z) / kPackedSteps};
    }
    static uint8_t step(double value, double low, double scale) {
        return static_cast<uint8_t>(std::clamp(std::lround((value - low) / scale), 0L, 255L));
    }
    writers::PackedVertex pack(const Vec3& p) const {
        const Vec3 s = scale();
        return {step(p.x, low.x, s.x), step(p.y, low.y, s.y), step(p.z, low.z, s.z), 0};
    }
};

writers::SimpleFrame frameOf(const Creature& creature, const Pose& pose, const Packing& packing) {
    writers::SimpleFrame frame{pose.name, {}};
    for (const CreatureVertex& vertex : creature.vertices) {
        frame.vertices.push_back(packing.pack(posed(creature, vertex, pose)));
    }
    return frame;
}

} // namespace

Bytes creatureModel() {
    const Creature creature = buildCreature();
    const std::vector<Pose> idle = idlePoses();
    const std::vector<Pose> run = runPoses();
    Packing packing;
    for (const auto* poses : {&idle, &run}) {
        for (const Pose& pose : *poses) {
            for (const CreatureVertex& vertex : creature.vertices) {
                packing.include(posed(creature, vertex, pose));
            }
        }
    }

    writers::ModelWriter model(kSkinWidth, kSkinHeight);
    const Vec3 scale = packing.scale();
    model.scale(static_cast<float>(scale.x), static_cast<float>(scale.y),
                static_cast<float>(scale.z));
    model.translate(static_cast<float>(packing.low.x), static_cast<float>(packing.low.y),
                    static_cast<float>(packing.low.z));
    model.header.boundingRadius = 36.0F;
    model.header.eyePosition[2] = 14.0F;
    model.header.size = 24.0F;

    model.skin(creatureSkin(creature, kSkinWidth, kSkinHeight, 0));
    model.skinGroup({creatureSkin(creature, kSkinWidth, kSkinHeight, 1),
                     creatureSkin(creature, kSkinWidth, kSkinHeight, 2)});

    // Seam vertices keep their front-half coordinate; the loader gives
    // back-facing triangles a copy half a skin to the right.
    for (const CreatureVertex& vertex : creature.vertices) {
        const SkinPoint point = skinPoint(vertex.rest, kSkinWidth, kSkinHeight);
        const uint32_t s = vertex.side < 0 ? point.s + kSkinWidth / 2 : point.s;
        model.texCoord(s, point.t, vertex.side == 0);
    }
    // The format keeps triangles clockwise seen from outside.
    for (const CreatureTriangle& triangle : creature.triangles) {
        model.triangle(triangle.vertex[0], triangle.vertex[2], triangle.vertex[1], triangle.front);
    }

    for (const Pose& pose : idle) {
        model.frame(frameOf(creature, pose, packing));
    }
    std::vector<writers::SimpleFrame> running;
    for (const Pose& pose : run) {
        running.push_back(frameOf(creature, pose, packing));
    }
    model.frameGroup(running);
    return model.build();
}

} // namespace vexl::sample
