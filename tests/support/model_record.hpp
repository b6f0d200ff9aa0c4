// A model record for tests: loaded from bytes, killed when the test ends.
#pragma once

#include "vexalkit.hpp"
#include "writers/byte_writer.hpp"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vexl::testing {

struct ModelRecord {
    VEXLMODEL_T model{};
    ModelRecord() = default;
    ModelRecord(const ModelRecord&) = delete;
    ModelRecord& operator=(const ModelRecord&) = delete;
    ~ModelRecord() { vexlModelKill(model); }

    int32_t load(const writers::Bytes& bytes) {
        const uint8_t* const data = bytes.data();
        const auto size = static_cast<uint32_t>(bytes.size());
        return vexlModelLoad(data, size, model);
    }

    uint32_t slots() const { return uint32_t{model.vertexCount} + model.seamVertexCount; }
    uint32_t frames() const { return uint32_t{model.frameCount} + model.extraFrameCount; }
    std::vector<VEXLVECTOR_T> positions() const {
        return {model.vertices, model.vertices + uint64_t{slots()} * frames()};
    }
    std::string frameName(uint32_t frame) const {
        const char* slot = model.frameNames + 16 * frame;
        size_t length = 0;
        while (length < 16 && slot[length] != '\0') {
            ++length;
        }
        return {slot, length};
    }
    std::vector<uint16_t> triangle(uint32_t index) const {
        const uint16_t* vertex = model.triangles[index].vertex;
        return {vertex[0], vertex[1], vertex[2]};
    }
};

} // namespace vexl::testing

// Exact comparison and readable failures for positions and coordinates.
inline bool operator==(const VEXLVECTOR_T& left, const VEXLVECTOR_T& right) {
    return left.x == right.x && left.y == right.y && left.z == right.z;
}
inline void PrintTo(const VEXLVECTOR_T& value, std::ostream* out) {
    *out << "(" << value.x << ", " << value.y << ", " << value.z << ")";
}
