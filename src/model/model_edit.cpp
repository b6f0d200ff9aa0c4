// The four in-place edits of a loaded model. None allocates or frees, and
// each does nothing to a record that lacks what it works on.
#include "model/model.hpp"

#include <cmath>
#include <utility>

namespace vexl {

void modelScale(VEXLMODEL_T& model, float factor) {
    // 0 would collapse the model to a point and NaN would erase it: both are
    // taken as "no scaling", like 1.
    const uint64_t positions = uint64_t{frameSlots(model)} * vertexSlots(model);
    if (positions == 0 || model.vertices == nullptr || factor == 0.0f || factor == 1.0f ||
        std::isnan(factor)) {
        return;
    }
    for (uint64_t i = 0; i < positions; ++i) {
        VEXLVECTOR_T& position = model.vertices[i];
        position.x *= factor;
        position.y *= factor;
        position.z *= factor;
    }
}

// t becomes |t - 1|: for t from 0 to 1 a vertical flip of the skin.
void modelSkinInv(VEXLMODEL_T& model) {
    const uint32_t slots = vertexSlots(model);
    if (slots == 0 || model.skinCount == 0 || model.texCoords == nullptr) {
        return;
    }
    for (uint32_t v = 0; v < slots; ++v) {
        float& t = model.texCoords[v].y;
        t = static_cast<float>(std::fabs(static_cast<double>(t) - 1.0));
    }
}

// Folds the back half of the skin onto the front half and stretches that
// half over the whole width: s in (0.5, 1] first moves left by 0.5, then
// every s doubles.
void modelSkinNoBack(VEXLMODEL_T& model) {
    const uint32_t slots = vertexSlots(model);
    if (slots == 0 || model.skinCount == 0 || model.texCoords == nullptr) {
        return;
    }
    for (uint32_t v = 0; v < slots; ++v) {
        float& s = model.texCoords[v].x;
        if (s > 0.5f) {
            s = static_cast<float>(static_cast<double>(s) - 0.5);
        }
        s = static_cast<float>(2.0 * s);
    }
}

// Reverses every triangle's winding: the first and third index trade places.
void modelSwapTris(VEXLMODEL_T& model) {
    if (model.triangleCount == 0 || model.triangles == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < model.triangleCount; ++i) {
        uint16_t(&vertex)[3] = model.triangles[i].vertex;
        std::swap(vertex[0], vertex[2]);
    }
}

} // namespace vexl
