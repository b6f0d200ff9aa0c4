#include "formats/gltf/glb_builder.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vexl::cli {
namespace {

using nlohmann::json;

constexpr uint32_t kGlbMagic = 0x46546C67; // "glTF"
constexpr uint32_t kGlbVersion = 2;
constexpr uint32_t kChunkJson = 0x4E4F534A;
constexpr uint32_t kChunkBinary = 0x004E4942;
constexpr size_t kAlignment = 4;
// Indices of this value mean "restart" to some APIs and are not allowed.
constexpr uint32_t kLargestShortVertexCount = 0xFFFF;

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void padTo(std::vector<uint8_t>& bytes, uint8_t filler) {
    while (bytes.size() % kAlignment != 0) {
        bytes.push_back(filler);
    }
}

json& arrayIn(json& document, const char* name) {
    if (!document.contains(name)) {
        document[name] = json::array();
    }
    return document[name];
}

} // namespace

int GlbBuilder::addView(const void* data, size_t size, std::optional<int> target) {
    padTo(binary_, 0);
    json view = {{"buffer", 0}, {"byteOffset", binary_.size()}, {"byteLength", size}};
    if (target) {
        view["target"] = *target;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    binary_.insert(binary_.end(), bytes, bytes + size);
    json& views = arrayIn(document_, "bufferViews");
    views.push_back(view);
    return static_cast<int>(views.size() - 1);
}

int GlbBuilder::addAccessor(json accessor) {
    json& accessors = arrayIn(document_, "accessors");
    accessors.push_back(std::move(accessor));
    return static_cast<int>(accessors.size() - 1);
}

int GlbBuilder::addFloats(const std::vector<float>& values, int components, const char* type,
                          bool bounds, std::optional<int> target) {
    const int view = addView(values.data(), values.size() * sizeof(float), target);
    const size_t count = values.size() / static_cast<size_t>(components);
    json accessor = {
        {"bufferView", view}, {"componentType", gl::kFloat}, {"count", count}, {"type", type}};
    if (bounds) {
        std::vector<float> low(components, std::numeric_limits<float>::max());
        std::vector<float> high(components, std::numeric_limits<float>::lowest());
        for (size_t i = 0; i < values.size(); ++i) {
            const size_t c = i % static_cast<size_t>(components);
            low[c] = std::min(low[c], values[i]);
            high[c] = std::max(high[c], values[i]);
        }
        accessor["min"] = low;
        accessor["max"] = high;
    }
    return addAccessor(std::move(accessor));
}

int GlbBuilder::addIndices(const std::vector<uint32_t>& indices, uint32_t vertexCount) {
    int view = 0;
    int componentType = gl::kUnsignedInt;
    if (vertexCount <= kLargestShortVertexCount) {
        const std::vector<uint16_t> narrow(indices.begin(), indices.end());
        view = addView(narrow.data(), narrow.size() * sizeof(uint16_t), gl::kElementArrayBuffer);
        componentType = gl::kUnsignedShort;
    } else {
        view = addView(indices.data(), indices.size() * sizeof(uint32_t), gl::kElementArrayBuffer);
    }
    return addAccessor({{"bufferView", view},
                        {"componentType", componentType},
                        {"count", indices.size()},
                        {"type", "SCALAR"}});
}

std::vector<uint8_t> GlbBuilder::finish() {
    padTo(binary_, 0);
    document_["buffers"] = json::array({{{"byteLength", binary_.size()}}});
    const std::string text = document_.dump(-1, ' ', false, json::error_handler_t::replace);
    std::vector<uint8_t> jsonChunk(text.begin(), text.end());
    padTo(jsonChunk, ' ');

    std::vector<uint8_t> out;
    const size_t total = 12 + 8 + jsonChunk.size() + 8 + binary_.size();
    putU32(out, kGlbMagic);
    putU32(out, kGlbVersion);
    putU32(out, static_cast<uint32_t>(total));
    putU32(out, static_cast<uint32_t>(jsonChunk.size()));
    putU32(out, kChunkJson);
    out.insert(out.end(), jsonChunk.begin(), jsonChunk.end());
    putU32(out, static_cast<uint32_t>(binary_.size()));
    putU32(out, kChunkBinary);
    out.insert(out.end(), binary_.begin(), binary_.end());
    return out;
}

} // namespace vexl::cli
