// The creature's parts, their meshes and their motion.
#include "creature.hpp"

#include <cmath>

namespace vexl::sample {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Where the head, legs and tail turn.
constexpr Vec3 kNeck{12, 0, 6};
constexpr Vec3 kTailBase{-16, 0, 4};

std::vector<Part> creatureParts() {
    using M = Part::Moves;
    return {
        {{0, 0, 0}, {18, 11, 12}, 4, 16, M::Body},           // body
        {{20, 0, 10}, {9, 8, 8}, 3, 12, M::Head},            // head
        {{28, 0, 7}, {5, 4.5, 3.5}, 2, 10, M::Head},         // snout
        {{18, 4, 18}, {2.5, 1.5, 4}, 2, 6, M::Head},         // left ear
        {{18, -4, 18}, {2.5, 1.5, 4}, 2, 6, M::Head},        // right ear
        {{-20, 0, 5}, {6, 2.5, 2.5}, 2, 8, M::Tail},         // tail
        {{11, 6.5, -14}, {3.5, 3.5, 9}, 2, 8, M::Leg, 0},    // front left
        {{11, -6.5, -14}, {3.5, 3.5, 9}, 2, 8, M::Leg, kPi}, // front right
        {{-11, 6.5, -14}, {3.5, 3.5, 9}, 2, 8, M::Leg, kPi}, // back left
        {{-11, -6.5, -14}, {3.5, 3.5, 9}, 2, 8, M::Leg, 0},  // back right
    };
}

Vec3 sub(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Turns `point` about `pivot` in the x-z plane (a nod) or the x-y plane (a
// wag).
Vec3 turnXZ(const Vec3& point, const Vec3& pivot, double angle) {
    const Vec3 d = sub(point, pivot);
    return {pivot.x + d.x * std::cos(angle) - d.z * std::sin(angle), point.y,
            pivot.z + d.x * std::sin(angle) + d.z * std::cos(angle)};
}

Vec3 turnXY(const Vec3& point, const Vec3& pivot, double angle) {
    const Vec3 d = sub(point, pivot);
    return {pivot.x + d.x * std::cos(angle) - d.y * std::sin(angle),
            pivot.y + d.x * std::sin(angle) + d.y * std::cos(angle), point.z};
}

// Adds the triangle counter-clockwise seen from outside the part.
void addTriangle(Creature& creature, const Part& part, uint32_t a, uint32_t b, uint32_t c,
                 bool front) {
    const Vec3& pa = creature.vertices[a].rest;
    const Vec3& pb = creature.vertices[b].rest;
    const Vec3& pc = creature.vertices[c].rest;
    const Vec3 normal = cross(sub(pb, pa), sub(pc, pa));
    const Vec3 centroid{(pa.x + pb.x + pc.x) / 3, (pa.y + pb.y + pc.y) / 3,
                        (pa.z + pb.z + pc.z) / 3};
    if (dot(normal, sub(centroid, part.center)) < 0) {
        std::swap(b, c);
    }
    creature.triangles.push_back({{a, b, c}, front});
}

void addPart(Creature& creature, size_t partIndex) {
    const Part& part = creature.parts[partIndex];
    const int rings = 2 * part.halfRings - 1; // between the poles
    const auto first = static_cast<uint32_t>(creature.vertices.size());
    auto vertexAt = [&](double latitude, double longitude, int side) {
        const Vec3 p{part.center.x + part.radii.x * std::cos(latitude) * std::cos(longitude),
                     part.center.y + part.radii.y * std::sin(latitude),
                     part.center.z + part.radii.z * std::cos(latitude) * std::sin(longitude)};
        creature.vertices.push_back({p, partIndex, side});
    };
    vertexAt(-kPi / 2, 0, -1); // the back pole
    for (int ring = 1; ring <= rings; ++ring) {
        const double latitude = -kPi / 2 + ring * kPi / (2.0 * part.halfRings);
        const int side = ring < part.halfRings ? -1 : (ring == part.halfRings ? 0 : 1);
        for (int segment = 0; segment < part.segments; ++segment) {
            vertexAt(latitude, 2 * kPi * segment / part.segments, side);
        }
    }
    vertexAt(kPi / 2, 0, 1); // the front pole
    const uint32_t backPole = first;
    const uint32_t frontPole = first + 1 + static_cast<uint32_t>(rings * part.segments);
    auto ringVertex = [&](int ring, int segment) {
        return first + 1 +
               static_cast<uint32_t>((ring - 1) * part.segments + segment % part.segments);
    };
    for (int segment = 0; segment < part.segments; ++segment) {
        addTriangle(creature, part, backPole, ringVertex(1, segment), ringVertex(1, segment + 1),
                    false);
        addTriangle(creature, part, frontPole, ringVertex(rings, segment),
                    ringVertex(rings, segment + 1), true);
        for (int ring = 1; ring < rings; ++ring) {
            const bool front = ring >= part.halfRings;
            const uint32_t a = ringVertex(ring, segment);
            const uint32_t b = ringVertex(ring, segment + 1);
            const uint32_t c = ringVertex(ring + 1, segment + 1);
            const uint32_t d = ringVertex(ring + 1, segment);
            addTriangle(creature, part, a, b, c, front);
            addTriangle(creature, part, a, c, d, front);
        }
    }
}

} // namespace

Creature buildCreature() {
    Creature creature;
    creature.parts = creatureParts();
    for (size_t i = 0; i < creature.parts.size(); ++i) {
        addPart(creature, i);
    }
    return creature;
}

Vec3 posed(const Creature& creature, const CreatureVertex& vertex, const Pose& pose) {
    const Part& part = creature.parts[vertex.part];
    Vec3 p = vertex.rest;
    switch (part.moves) {
    case Part::Moves::Body:
        p.z = part.center.z + (p.z - part.center.z) * (1.0 + pose.breathe);
        break;
    case Part::Moves::Head:
        p = turnXZ(p, kNeck, pose.nod);
        break;
    case Part::Moves::Leg: {
        const Vec3 hip{part.center.x, part.center.y, part.center.z + part.radii.z * 0.8};
        p = turnXZ(p, hip, pose.stride * std::cos(part.legPhase));
        break;
    }
    case Part::Moves::Tail:
        p = turnXY(p, kTailBase, pose.wag);
        break;
    }
    p.z += pose.bob;
    return p;
}

} // namespace vexl::sample
