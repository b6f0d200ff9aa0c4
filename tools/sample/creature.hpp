// The sample creature's shape and motion, before it is packed into model
// data: closed ellipsoid parts, a side-view skin, idle and running poses.
#pragma once

#include "sample.hpp"

#include <string>
#include <vector>

namespace vexl::sample {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// One ellipsoid part, its pole axis along y so that its ring at y = centre
// is the outline seen from the side: the seam between the skin's halves.
struct Part {
    enum class Moves { Body, Head, Leg, Tail };
    Vec3 center;
    Vec3 radii;
    int halfRings; // rings from a pole to the seam ring, that ring included
    int segments;
    Moves moves;
    double legPhase = 0; // for legs: 0 or pi, diagonal pairs in step
};

struct CreatureVertex {
    Vec3 rest;
    size_t part = 0;
    int side = 0; // +1 front half (y above the part's centre), -1 back, 0 seam
};

struct CreatureTriangle {
    uint32_t vertex[3]; // counter-clockwise seen from outside
    bool front = true;
};

struct Pose {
    std::string name;
    double bob = 0;     // the whole body up or down
    double breathe = 0; // the body's height grows by this fraction
    double stride = 0;  // leg swing, radians, before each leg's phase
    double nod = 0;     // head rotation, radians
    double wag = 0;     // tail rotation, radians
};

struct Creature {
    std::vector<Part> parts;
    std::vector<CreatureVertex> vertices;
    std::vector<CreatureTriangle> triangles;
};

Creature buildCreature();

// The vertex's position in a pose.
Vec3 posed(const Creature& creature, const CreatureVertex& vertex, const Pose& pose);

// The side-view skin, `width` * `height` palette indices: the front half on
// the left, the back half on the right. `variant` 0 is the plain skin, 1 has
// its eyes shut, 2 a reddened coat.
Bytes creatureSkin(const Creature& creature, uint32_t width, uint32_t height, int variant);

// Where a rest position lands on the skin's left half, in pixels.
struct SkinPoint {
    uint32_t s;
    uint32_t t;
};
SkinPoint skinPoint(const Vec3& rest, uint32_t width, uint32_t height);

} // namespace vexl::sample
