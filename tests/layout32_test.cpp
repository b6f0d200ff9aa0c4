// The records' layout as 32-bit callers see it: every pointer 4 bytes, every
// field at its natural alignment. Only the 32-bit builds can check it.
#include "vexalkit.hpp"

#include <cstddef>
#include <cstdint>
#include <gtest/gtest.h>

#if UINTPTR_MAX == 0xFFFFFFFFu

static_assert(sizeof(FBSTRING) == 12 && sizeof(VEXLPACKENTRY_T) == 76 &&
                  sizeof(VEXLTRIANGLE_T) == 20 && sizeof(VEXLMODEL_T) == 72,
              "the 32-bit record layout changed");

TEST(Layout32, RecordSizes) {
    EXPECT_EQ(sizeof(FBSTRING), 12u);
    EXPECT_EQ(sizeof(VEXLPACKENTRY_T), 76u);
    EXPECT_EQ(sizeof(VEXLPACKINFO_T), 24u);
    EXPECT_EQ(sizeof(VEXLWADENTRY_T), 36u);
    EXPECT_EQ(sizeof(VEXLWADINFO_T), 24u);
    EXPECT_EQ(sizeof(VEXLPALETTE_T), 16u);
    EXPECT_EQ(sizeof(VEXLPICTURE_T), 12u);
    EXPECT_EQ(sizeof(VEXLSPRITE_T), 28u);
    EXPECT_EQ(sizeof(VEXLVECTOR_T), 12u);
    EXPECT_EQ(sizeof(VEXLTRIANGLE_T), 20u);
    EXPECT_EQ(sizeof(VEXLMODEL_T), 72u);
}

TEST(Layout32, FieldOffsetsOfTheSmallerRecords) {
    EXPECT_EQ(offsetof(FBSTRING, length), 4u);
    EXPECT_EQ(offsetof(FBSTRING, capacity), 8u);
    EXPECT_EQ(offsetof(VEXLPACKENTRY_T, filePos), 64u);
    EXPECT_EQ(offsetof(VEXLPACKENTRY_T, valid), 72u);
    EXPECT_EQ(offsetof(VEXLPACKINFO_T, dirOffset), 8u);
    EXPECT_EQ(offsetof(VEXLPACKINFO_T, entries), 20u);
    EXPECT_EQ(offsetof(VEXLWADENTRY_T, filePos), 20u);
    EXPECT_EQ(offsetof(VEXLWADENTRY_T, entryType), 32u);
    EXPECT_EQ(offsetof(VEXLWADENTRY_T, compression), 33u);
    EXPECT_EQ(offsetof(VEXLPALETTE_T, colorMapRows), 4u);
    EXPECT_EQ(offsetof(VEXLPALETTE_T, colorMap), 8u);
    EXPECT_EQ(offsetof(VEXLPALETTE_T, colors), 12u);
    EXPECT_EQ(offsetof(VEXLPICTURE_T, pixels), 8u);
    EXPECT_EQ(offsetof(VEXLSPRITE_T, syncType), 1u);
    EXPECT_EQ(offsetof(VEXLSPRITE_T, frameCount), 4u);
    EXPECT_EQ(offsetof(VEXLSPRITE_T, originX), 12u);
    EXPECT_EQ(offsetof(VEXLSPRITE_T, pictures), 24u);
    EXPECT_EQ(offsetof(VEXLTRIANGLE_T, reserved), 6u);
}

TEST(Layout32, FieldOffsetsOfTheModel) {
    EXPECT_EQ(offsetof(VEXLMODEL_T, dataSize), 16u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, syncType), 24u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, skinCount), 28u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, groupSkinCount), 30u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, skins), 32u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, frameCount), 36u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, extraFrameCount), 38u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, frameNames), 40u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, frameGroupSizes), 44u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, vertexCount), 48u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, triangleCount), 50u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, triangles), 52u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, seamMap), 56u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, texCoords), 60u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, vertices), 64u);
    EXPECT_EQ(offsetof(VEXLMODEL_T, seamVertexCount), 68u);
}

#endif
