// Entry points of the model family.
#include "archive/file_load.hpp"
#include "exports/guard.hpp"
#include "frame/fbstring.hpp"
#include "frame/status.hpp"
#include "model/model.hpp"

extern "C" {

void vexlModelKill(VEXLMODEL_T& model) {
    vexl::guarded([&] { vexl::modelKill(model); });
}

void vexlModelScale(VEXLMODEL_T& model, const float& factor) {
    vexl::guarded([&] { vexl::modelScale(model, factor); });
}

void vexlModelSkinInv(VEXLMODEL_T& model) {
    vexl::guarded([&] { vexl::modelSkinInv(model); });
}

void vexlModelSkinNoBack(VEXLMODEL_T& model) {
    vexl::guarded([&] { vexl::modelSkinNoBack(model); });
}

void vexlModelSwapTris(VEXLMODEL_T& model) {
    vexl::guarded([&] { vexl::modelSwapTris(model); });
}

uint32_t vexlFrameOffset(const VEXLMODEL_T& model, const FBSTRING& name) {
    return vexl::guarded(uint32_t{0},
                         [&] { return vexl::frameOffset(model, vexl::stringView(name)); });
}

int32_t vexlFrameNumber(const VEXLMODEL_T& model, const FBSTRING& name) {
    return vexl::guarded(int32_t{0},
                         [&] { return vexl::frameNumber(model, vexl::stringView(name)); });
}

} // extern "C"

int32_t vexlModelLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                      VEXLMODEL_T& model) {
    return vexl::guarded(vexl::status::kModelNoMemory,
                         [&] { return vexl::modelLoad(buffer, bufferSize, model); });
}

int32_t vexlModelLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLMODEL_T& model) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::loadByName(archiveName, fileName, ".mdl",
                                [&](const uint8_t* const& bytes, const uint32_t& size) {
                                    return vexl::modelLoad(bytes, size, model);
                                });
    });
}
