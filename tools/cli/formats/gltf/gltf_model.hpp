// A loaded model in glTF's conventions: Y up, texture origin at the top
// left, front faces wound counter-clockwise seen from outside.
#pragma once

#include "formats/gltf/sequences.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace vexl::cli {

struct GltfMesh {
    uint32_t vertexCount = 0;                // V
    std::vector<std::vector<float>> frames;  // F runs of V positions (x, y, z)
    std::vector<std::vector<float>> normals; // F runs of V unit normals (x, y, z)
    std::vector<float> texCoords;            // V pairs (u, v)
    std::vector<uint32_t> indices;           // three per triangle
    std::vector<std::string> frameNames;     // F
    std::vector<Sequence> sequences;
};

// The model's data is Z up with +X forward; glTF is Y up with +Z forward.
// The rotation (x, y, z) -> (y, z, x) keeps handedness, so a winding that is
// counter-clockwise from outside stays so.
GltfMesh toGltfMesh(const VEXLMODEL_T& model);

// How animations play: the time each frame shows, and whether frames step
// or blend into each other.
struct GltfSettings {
    bool stepped = false;
    float secondsPerFrame = 0.1F;
};

// The binary glTF: one mesh whose base shape is frame 0, every frame a morph
// target, one animation per sequence; `skinPng` becomes its texture.
std::vector<uint8_t> buildGlb(const GltfMesh& mesh, const std::vector<uint8_t>& skinPng,
                              const std::string& name, const GltfSettings& settings);

} // namespace vexl::cli
