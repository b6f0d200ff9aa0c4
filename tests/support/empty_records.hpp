// What an emptied record looks like: the fields its Kill function clears,
// all zero. One check for every record type.
#pragma once

#include "vexalkit.hpp"

#include <gtest/gtest.h>
#include <tuple>
#include <type_traits>

namespace vexl::testing {

inline auto clearedFields(const VEXLPACKINFO_T& r) {
    return std::tuple{r.entries, r.entryCount, r.dirOffset, r.dirLength};
}
inline auto clearedFields(const VEXLPALETTE_T& r) {
    return std::tuple{r.colors, r.colorMap, r.colorMapRows, r.colorMapTail};
}
inline auto clearedFields(const VEXLPICTURE_T& r) {
    return std::tuple{r.width, r.height, r.pixels};
}
inline auto clearedFields(const VEXLSPRITE_T& r) {
    return std::tuple{r.frameCount, r.groupPictureCount, r.type,    r.syncType,
                      r.pictures,   r.originX,           r.originY, r.intervals};
}
// dataSize, flags and syncType survive a kill.
inline auto clearedFields(const VEXLMODEL_T& r) {
    return std::tuple{r.skins,          r.triangles,      r.seamMap,         r.texCoords,
                      r.vertices,       r.frameNames,     r.frameGroupSizes, r.skinOffset,
                      r.triangleOffset, r.texCoordOffset, r.frameDataOffset, r.skinCount,
                      r.groupSkinCount, r.frameCount,     r.extraFrameCount, r.vertexCount,
                      r.triangleCount,  r.seamVertexCount};
}

template <typename Record> void expectEmpty(const Record& record) {
    int index = 0;
    const auto expectZero = [&index](const auto& field) {
        EXPECT_EQ(field, std::decay_t<decltype(field)>{}) << "cleared field " << index++;
    };
    std::apply([&](const auto&... field) { (expectZero(field), ...); }, clearedFields(record));
}

} // namespace vexl::testing
