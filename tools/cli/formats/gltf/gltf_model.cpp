#include "formats/gltf/gltf_model.hpp"

#include "failure.hpp"
#include "formats/gltf/glb_builder.hpp"
#include "formats/gltf/mesh_normals.hpp"

namespace vexl::cli {
namespace {

using nlohmann::json;

void appendRotated(std::vector<float>& out, const VEXLVECTOR_T& position) {
    out.push_back(position.y);
    out.push_back(position.z);
    out.push_back(position.x);
}

std::vector<float> deltasFrom(const std::vector<float>& frame, const std::vector<float>& base) {
    std::vector<float> deltas(frame.size());
    for (size_t i = 0; i < frame.size(); ++i) {
        deltas[i] = frame[i] - base[i];
    }
    return deltas;
}

// Morph weights that show frame `shown` alone, for `frames` targets.
void appendWeights(std::vector<float>& out, uint32_t shown, size_t frames) {
    for (size_t k = 0; k < frames; ++k) {
        out.push_back(k == shown ? 1.0F : 0.0F);
    }
}

// Keys at frame times; a closing key makes a looping clip give its last
// frame a full interval (stepped) or blend back into the first (linear).
json addAnimation(GlbBuilder& glb, const Sequence& sequence, size_t frames, bool stepped,
                  float secondsPerFrame) {
    std::vector<float> times;
    std::vector<float> weights;
    for (uint32_t i = 0; i < sequence.count; ++i) {
        times.push_back(static_cast<float>(i) * secondsPerFrame);
        appendWeights(weights, sequence.first + i, frames);
    }
    if (sequence.count > 1) {
        times.push_back(static_cast<float>(sequence.count) * secondsPerFrame);
        appendWeights(weights, stepped ? sequence.first + sequence.count - 1 : sequence.first,
                      frames);
    }
    const int input = glb.addFloats(times, 1, "SCALAR", true);
    const int output = glb.addFloats(weights, 1, "SCALAR", false);
    return {{"name", sequence.name},
            {"samplers", json::array({{{"input", input},
                                       {"output", output},
                                       {"interpolation", stepped ? "STEP" : "LINEAR"}}})},
            {"channels",
             json::array({{{"sampler", 0}, {"target", {{"node", 0}, {"path", "weights"}}}}})}};
}

json addPrimitive(GlbBuilder& glb, const GltfMesh& mesh) {
    const std::vector<float>& base = mesh.frames.front();
    const std::vector<float>& baseNormals = mesh.normals.front();
    json primitive = {
        {"attributes",
         {{"POSITION", glb.addFloats(base, 3, "VEC3", true, gl::kArrayBuffer)},
          {"NORMAL", glb.addFloats(baseNormals, 3, "VEC3", false, gl::kArrayBuffer)},
          {"TEXCOORD_0", glb.addFloats(mesh.texCoords, 2, "VEC2", false, gl::kArrayBuffer)}}},
        {"indices", glb.addIndices(mesh.indices, mesh.vertexCount)},
        {"material", 0},
        {"mode", gl::kTriangles}};
    json targets = json::array();
    for (size_t k = 0; k < mesh.frames.size(); ++k) {
        targets.push_back({{"POSITION", glb.addFloats(deltasFrom(mesh.frames[k], base), 3, "VEC3",
                                                      true, gl::kArrayBuffer)},
                           {"NORMAL", glb.addFloats(deltasFrom(mesh.normals[k], baseNormals), 3,
                                                    "VEC3", false, gl::kArrayBuffer)}});
    }
    primitive["targets"] = targets;
    return primitive;
}

void addSkin(GlbBuilder& glb, const std::vector<uint8_t>& skinPng) {
    json& doc = glb.document();
    const int view = glb.addView(skinPng.data(), skinPng.size());
    doc["images"] = json::array({{{"bufferView", view}, {"mimeType", "image/png"}}});
    doc["samplers"] = json::array({{{"magFilter", gl::kNearest},
                                    {"minFilter", gl::kNearest},
                                    {"wrapS", gl::kClampToEdge},
                                    {"wrapT", gl::kClampToEdge}}});
    doc["textures"] = json::array({{{"source", 0}, {"sampler", 0}}});
    doc["materials"] = json::array({{{"name", "skin"},
                                     {"pbrMetallicRoughness",
                                      {{"baseColorTexture", {{"index", 0}}},
                                       {"metallicFactor", 0.0},
                                       {"roughnessFactor", 1.0}}}}});
}

} // namespace

GltfMesh toGltfMesh(const VEXLMODEL_T& model) {
    GltfMesh mesh;
    const uint32_t slots = vexalkit::vertexSlots(model);
    const uint32_t frames = vexalkit::frameSlots(model);
    mesh.vertexCount = slots;
    for (uint32_t k = 0; k < frames; ++k) {
        std::vector<float> positions;
        positions.reserve(size_t{slots} * 3);
        for (uint32_t v = 0; v < slots; ++v) {
            appendRotated(positions, model.vertices[size_t{k} * slots + v]);
        }
        mesh.frames.push_back(std::move(positions));
        mesh.frameNames.emplace_back(vexalkit::frameNameAt(model, k));
    }
    // The loader leaves t with its origin at the bottom; glTF's is at the top.
    for (uint32_t v = 0; v < slots; ++v) {
        mesh.texCoords.push_back(model.texCoords[v].x);
        mesh.texCoords.push_back(1.0F - model.texCoords[v].y);
    }
    // The loader has already reversed the data's clockwise winding.
    for (uint32_t t = 0; t < model.triangleCount; ++t) {
        for (const uint16_t index : model.triangles[t].vertex) {
            if (index >= slots) {
                throw Failure("triangle " + std::to_string(t) + " refers to vertex slot " +
                              std::to_string(index) + " of " + std::to_string(slots));
            }
            mesh.indices.push_back(index);
        }
    }
    // A back-side seam copy shares the normal of the vertex it copies.
    std::vector<uint32_t> owner(slots);
    for (uint32_t v = 0; v < slots; ++v) {
        owner[v] = v;
    }
    for (uint32_t v = 0; v < model.vertexCount; ++v) {
        const uint32_t copy = model.seamMap[v];
        if (copy != 0 && copy < slots) {
            owner[copy] = v;
        }
    }
    for (const std::vector<float>& positions : mesh.frames) {
        mesh.normals.push_back(smoothNormals(positions, mesh.indices, owner));
    }
    mesh.sequences = frameSequences(model);
    return mesh;
}

std::vector<uint8_t> buildGlb(const GltfMesh& mesh, const std::vector<uint8_t>& skinPng,
                              const std::string& name, const GltfSettings& settings) {
    GlbBuilder glb;
    json& doc = glb.document();
    doc["asset"] = {{"version", "2.0"}, {"generator", "vexalkit"}};
    addSkin(glb, skinPng);
    json meshJson = {{"name", name},
                     {"primitives", json::array({addPrimitive(glb, mesh)})},
                     {"weights", std::vector<float>(mesh.frames.size(), 0.0F)},
                     {"extras", {{"targetNames", mesh.frameNames}}}};
    doc["meshes"] = json::array({meshJson});
    doc["nodes"] = json::array({{{"name", name}, {"mesh", 0}}});
    doc["scenes"] = json::array({{{"nodes", json::array({0})}}});
    doc["scene"] = 0;
    json animations = json::array();
    for (const Sequence& sequence : mesh.sequences) {
        animations.push_back(addAnimation(glb, sequence, mesh.frames.size(), settings.stepped,
                                          settings.secondsPerFrame));
    }
    if (!animations.empty()) {
        doc["animations"] = animations;
    }
    return glb.finish();
}

} // namespace vexl::cli
