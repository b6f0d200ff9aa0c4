// Assembles a binary glTF 2.0 file: the JSON document and one binary buffer
// that every buffer view points into.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace vexl::cli {

namespace gl {
constexpr int kFloat = 5126;
constexpr int kUnsignedShort = 5123;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr int kNearest = 9728;
constexpr int kClampToEdge = 33071;
constexpr int kTriangles = 4;
} // namespace gl

class GlbBuilder {
  public:
    nlohmann::json& document() { return document_; }

    // Appends the bytes as a buffer view of their own, 4-byte aligned.
    int addView(const void* data, size_t size, std::optional<int> target = std::nullopt);

    // Float accessors over a new view; `components` floats per element of
    // the glTF type ("SCALAR", "VEC2", "VEC3"). Minimum and maximum are
    // recorded when `bounds` is set (POSITION and animation inputs need them).
    int addFloats(const std::vector<float>& values, int components, const char* type, bool bounds,
                  std::optional<int> target = std::nullopt);

    int addIndices(const std::vector<uint32_t>& indices, uint32_t vertexCount);

    // The finished file: header, JSON chunk, binary chunk.
    std::vector<uint8_t> finish();

  private:
    int addAccessor(nlohmann::json accessor);

    nlohmann::json document_ = nlohmann::json::object();
    std::vector<uint8_t> binary_;
};

} // namespace vexl::cli
