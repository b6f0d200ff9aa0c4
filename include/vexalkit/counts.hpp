// Record counts: how many slots each array of a record holds. Every user of
// the records (the library itself, the C++ layer, the tool) derives them here.
#pragma once

#include "vexalkit.hpp"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vexalkit {

// A frame name occupies 16 bytes of `frameNames`; a name using all 16 is
// not zero-terminated.
inline constexpr uint32_t kFrameNameBytes = 16;

// Skin slots S: single skins plus the pictures of skin groups.
inline uint32_t skinSlots(const VEXLMODEL_T& model) {
    return uint32_t{model.skinCount} + model.groupSkinCount;
}

// Frames F: single frames plus the frames of frame groups, unrolled.
inline uint32_t frameSlots(const VEXLMODEL_T& model) {
    return uint32_t{model.frameCount} + model.extraFrameCount;
}

// Vertex slots V: the data's vertices plus a back-side copy of each seam vertex.
inline uint32_t vertexSlots(const VEXLMODEL_T& model) {
    return uint32_t{model.vertexCount} + model.seamVertexCount;
}

// Sprite slots: single frames plus the pictures of groups; each group also
// ends with one empty slot, counted in `groupPictureCount`.
inline uint64_t spriteSlots(const VEXLSPRITE_T& sprite) {
    return uint64_t{sprite.frameCount} + sprite.groupPictureCount;
}

// The name of frame `index` (below frameSlots), up to its first zero byte.
inline std::string_view frameNameAt(const VEXLMODEL_T& model, uint32_t index) {
    const char* const field = model.frameNames + std::size_t{index} * kFrameNameBytes;
    const void* const end = std::memchr(field, 0, kFrameNameBytes);
    const std::size_t length =
        end == nullptr ? kFrameNameBytes
                       : static_cast<std::size_t>(static_cast<const char*>(end) - field);
    return {field, length};
}

} // namespace vexalkit
