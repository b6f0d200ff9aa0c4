// Model loading on arbitrary bytes, then the four editing operations and the
// frame lookups on whatever the record holds (an empty record included).
#include "fuzz_support.hpp"

#include <string>

namespace {

// Reads every texture coordinate and the last position, triangle and name
// that the counts promise, so that arrays shorter than their counts show.
void touchArrays(const VEXLMODEL_T& model) {
    const uint64_t vertexSlots = vexalkit::vertexSlots(model);
    const uint64_t frames = vexalkit::frameSlots(model);
    volatile float sum = 0;
    for (uint64_t v = 0; v < vertexSlots; ++v) {
        sum = sum + model.texCoords[v].x;
    }
    if (vertexSlots != 0 && frames != 0) {
        sum = sum + model.vertices[frames * vertexSlots - 1].z;
    }
    // Triangle indices are stored as read; they are not checked here.
    if (model.triangleCount != 0) {
        volatile uint16_t last = model.triangles[model.triangleCount - 1].vertex[2];
        (void)last;
    }
    if (frames != 0) {
        volatile char last = model.frameNames[frames * vexalkit::kFrameNameBytes - 1];
        (void)last;
    }
}

void lookUp(const VEXLMODEL_T& model, std::string_view name) {
    vexalkit::HeapString text(name);
    const int32_t number = vexlFrameNumber(model, text.get());
    const uint64_t frames = vexalkit::frameSlots(model);
    if (number < 0 || (frames != 0 && static_cast<uint64_t>(number) >= frames)) {
        std::fprintf(stderr, "frame number %d out of %llu frames\n", number,
                     static_cast<unsigned long long>(frames));
        std::abort();
    }
    vexlFrameOffset(model, text.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* const buffer = data;
    const uint32_t bufferSize = static_cast<uint32_t>(size);
    VEXLMODEL_T model{};
    int32_t status = 0;
    {
        fuzzing::AllocationBudget budget(size);
        status = vexlModelLoad(buffer, bufferSize, model);
    }
    if (status == 0) {
        touchArrays(model);
    }
    for (const float factor : {0.5f, -3.0f, 1e30f}) {
        vexlModelScale(model, factor);
    }
    vexlModelSkinInv(model);
    vexlModelSkinNoBack(model);
    vexlModelSwapTris(model);
    lookUp(model, "stand");
    lookUp(model, "");
    if (status == 0 && vexalkit::frameSlots(model) > 0) {
        const uint32_t last = vexalkit::frameSlots(model) - 1u;
        lookUp(model, vexalkit::frameNameAt(model, last));
    }
    vexlModelKill(model);
    vexlModelKill(model);
    return 0;
}
