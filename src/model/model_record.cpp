#include "frame/blocks.hpp"
#include "image/picture.hpp"
#include "model/model.hpp"

namespace vexl {

void modelKill(VEXLMODEL_T& model) {
    if (model.skins != nullptr) {
        const uint32_t slots = skinSlots(model);
        for (uint32_t i = 0; i < slots; ++i) {
            pictureKill(model.skins[i]); // skins are pictures: released alike
        }
        freeBlock(model.skins);
    }
    freeBlock(model.triangles);
    freeBlock(model.seamMap);
    freeBlock(model.texCoords);
    freeBlock(model.vertices);
    freeBlock(model.frameNames);
    freeBlock(model.frameGroupSizes);

    model.skinOffset = 0;
    model.triangleOffset = 0;
    model.texCoordOffset = 0;
    model.frameDataOffset = 0;
    model.frameCount = 0;
    model.vertexCount = 0;
    model.triangleCount = 0;
    model.skinCount = 0;
    model.groupSkinCount = 0;
    model.extraFrameCount = 0;
    model.seamVertexCount = 0;
}

} // namespace vexl
