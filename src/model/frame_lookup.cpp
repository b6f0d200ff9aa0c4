// Frames by name: the first frame whose trimmed, lower-cased name equals the
// trimmed, lower-cased request. No match gives 0, as does frame 0.
#include "frame/text.hpp"
#include "model/model.hpp"
#include "model/model_format.hpp"

namespace vexl {

int32_t frameNumber(const VEXLMODEL_T& model, std::string_view name) {
    const uint32_t frames = frameSlots(model);
    if (vertexSlots(model) == 0 || frames == 0 || model.frameNames == nullptr) {
        return 0;
    }
    for (uint32_t k = 0; k < frames; ++k) {
        // A name that fills its 16-byte slot has no ending zero: read at most
        // the slot.
        const char* const slot = model.frameNames + uint64_t{k} * mdl::kFrameNameSize;
        if (equalTrimmedFolded(fieldText(slot, mdl::kFrameNameSize), name)) {
            return static_cast<int32_t>(k);
        }
    }
    return 0;
}

uint32_t frameOffset(const VEXLMODEL_T& model, std::string_view name) {
    const uint32_t slots = vertexSlots(model);
    if (slots == 0 || frameSlots(model) == 0) {
        return 0;
    }
    return static_cast<uint32_t>(frameNumber(model, name)) * slots;
}

} // namespace vexl
