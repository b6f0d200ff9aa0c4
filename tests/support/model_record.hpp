// A model for tests: the layer's owner, loaded through the raw buffer form
// so that a test sees the status, with the record at hand as `model`.
#pragma once

#include "vexalkit_cpp.hpp"
#include "writers/byte_writer.hpp"

#include <cstdint>
#include <ostream>
#include <vector>

namespace vexl::testing {

struct ModelRecord : vexalkit::Model {
    VEXLMODEL_T& model = record();

    int32_t load(const writers::Bytes& bytes) {
        return vexlModelLoad(bytes.data(), static_cast<uint32_t>(bytes.size()), model);
    }
    // Every frame's positions, frame after frame.
    std::vector<VEXLVECTOR_T> positions() const {
        return {model.vertices, model.vertices + uint64_t{vertexSlots()} * frameCount()};
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
