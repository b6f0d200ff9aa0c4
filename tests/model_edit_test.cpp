#include "support/model_record.hpp"
#include "vexalkit.hpp"
#include "writers/model_writer.hpp"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using vexl::testing::ModelRecord;
using vexl::writers::ModelWriter;

namespace {

// A 4 x 4 skin with s = 0, 1, 2, 3, 4 and t = 4, 3, 2, 1, 0; vertex 1 lies
// on the seam (copy in slot 5). A front- and a back-facing triangle.
struct ModelEdit : ::testing::Test {
    ModelRecord record;
    void SetUp() override {
        ModelWriter writer(4, 4);
        writer.scale(0.5f, 0.25f, 1.0f).translate(-8.0f, 3.0f, -1.0f);
        writer.skin(vexl::writers::Bytes(16, 0));
        writer.texCoord(0, 4).texCoord(1, 3, true).texCoord(2, 2).texCoord(3, 1).texCoord(4, 0);
        writer.triangle(0, 1, 2).triangle(1, 3, 4, false);
        writer.frame({"one", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}}});
        writer.frame({"two", {{16, 17, 18}, {19, 20, 21}, {22, 23, 24}, {25, 26, 27}, {}}});
        ASSERT_EQ(record.load(writer.build()), 0);
    }
    std::vector<float> coords(float VEXLVECTOR_T::*axis) const {
        std::vector<float> values;
        for (uint32_t v = 0; v < record.vertexSlots(); ++v) {
            values.push_back(record.model.texCoords[v].*axis);
        }
        return values;
    }
};

} // namespace

TEST_F(ModelEdit, ScaleIgnoresZeroOneAndNaNAndReachesSeamCopies) {
    const auto before = record.positions();
    ASSERT_EQ(before.size(), 12u) << "two frames of 5 data vertices and 1 copy";
    for (float factor : {0.0f, 1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        vexlModelScale(record.model, factor);
        EXPECT_EQ(record.positions(), before) << "factor " << factor;
    }
    vexlModelScale(record.model, 2.0f);
    vexlModelScale(record.model, 0.5f);
    EXPECT_EQ(record.positions(), before) << "2 then 0.5 restores exactly";
    vexlModelScale(record.model, -1.0f);
    const auto mirrored = record.positions();
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(mirrored[i], (VEXLVECTOR_T{-before[i].x, -before[i].y, -before[i].z})) << i;
    }
}

TEST_F(ModelEdit, SkinInvAndSwapTrisUndoTheLoadersFlipAndRewinding) {
    EXPECT_EQ(coords(&VEXLVECTOR_T::y), (std::vector<float>{0, 0.25f, 0.5f, 0.75f, 1, 0.25f}));
    EXPECT_EQ(record.triangle(1), (std::vector<uint16_t>{4, 3, 5}));
    vexlModelSkinInv(record.model);
    vexlModelSwapTris(record.model);
    EXPECT_EQ(coords(&VEXLVECTOR_T::y), (std::vector<float>{1, 0.75f, 0.5f, 0.25f, 0, 0.75f}));
    EXPECT_EQ(record.triangle(0), (std::vector<uint16_t>{0, 1, 2}));
    EXPECT_EQ(record.triangle(1), (std::vector<uint16_t>{5, 3, 4}));
}

TEST_F(ModelEdit, SkinNoBackFoldsTheBackHalfOntoTheFront) {
    EXPECT_EQ(coords(&VEXLVECTOR_T::x), (std::vector<float>{0, 0.25f, 0.5f, 0.75f, 1, 0.75f}));
    vexlModelSkinNoBack(record.model);
    // The seam vertex (0.25) and its copy (0.75) meet at 0.5.
    EXPECT_EQ(coords(&VEXLVECTOR_T::x), (std::vector<float>{0, 0.5f, 1, 0.5f, 1, 0.5f}));
    vexlModelSkinNoBack(record.model);
    EXPECT_EQ(coords(&VEXLVECTOR_T::x), (std::vector<float>{0, 1, 1, 1, 1, 1}));
}

TEST(ModelEditEmpty, EveryOperationLeavesAnEmptyRecordAlone) {
    VEXLMODEL_T model{};
    const VEXLMODEL_T reference{};
    vexlModelScale(model, 2.0f);
    vexlModelSkinInv(model);
    vexlModelSkinNoBack(model);
    vexlModelSwapTris(model);
    EXPECT_EQ(std::memcmp(&model, &reference, sizeof(model)), 0);
}
