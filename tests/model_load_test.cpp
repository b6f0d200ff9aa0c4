#include "support/empty_records.hpp"
#include "support/model_record.hpp"
#include "vexalkit.hpp"
#include "writers/model_writer.hpp"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using vexl::testing::ModelRecord;
using vexl::writers::Bytes;
using vexl::writers::ModelWriter;
using vexl::writers::PackedVertex;
using vexl::writers::SimpleFrame;

namespace {

// One 2 x 2 skin, three vertices off the seam, one front-facing triangle
// 0, 1, 2 and one frame named "stand": 184 bytes.
ModelWriter minimalWriter() {
    ModelWriter writer(2, 2);
    writer.header.flags = 7;
    writer.header.syncType = 1;
    writer.skin({1, 2, 3, 4});
    writer.texCoord(0, 0).texCoord(1, 0).texCoord(0, 2);
    writer.triangle(0, 1, 2);
    writer.frame({"stand", {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}}});
    return writer;
}
Bytes minimalModel() {
    return minimalWriter().build();
}

// Two vertices on the seam of an 8 x 8 skin, a front- and a back-facing
// triangle over the same corners, two frames.
Bytes seamModel() {
    ModelWriter writer(8, 8);
    writer.skin(Bytes(64, 5));
    writer.texCoord(0, 2, true).texCoord(4, 4).texCoord(2, 8, true);
    writer.triangle(0, 1, 2, true).triangle(0, 1, 2, false);
    writer.frame({"a", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}});
    writer.frame({"b", {{11, 12, 13}, {14, 15, 16}, {17, 18, 19}}});
    return writer.build();
}

} // namespace

TEST(ModelLoad, MinimalModelGivesItsOffsetsSizesAndFlippedData) {
    ModelRecord record;
    ASSERT_EQ(record.load(minimalModel()), 0);
    const VEXLMODEL_T& m = record.model;
    EXPECT_EQ((std::vector<uint32_t>{m.skinOffset, m.texCoordOffset, m.triangleOffset,
                                     m.frameDataOffset, m.dataSize}),
              (std::vector<uint32_t>{84, 92, 128, 144, 184}));
    EXPECT_EQ(m.flags, 7);
    EXPECT_EQ(m.syncType, 1);
    ASSERT_EQ(record.skinSlots(), 1u);
    EXPECT_EQ(m.skins[0].width * 10 + m.skins[0].height, 22u);
    EXPECT_EQ(Bytes(m.skins[0].pixels, m.skins[0].pixels + 4), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(record.vertexSlots(), 3u);
    ASSERT_EQ(record.frameCount(), 1u);
    EXPECT_EQ(m.frameGroupSizes[0], 0);
    EXPECT_EQ(record.frameName(0), "stand");
    EXPECT_EQ(record.triangle(0), (std::vector<uint16_t>{2, 1, 0}));
    // t is flipped to 1 - t / H.
    EXPECT_EQ(m.texCoords[1], (VEXLVECTOR_T{0.5f, 1.0f, 0.0f}));
    EXPECT_EQ(m.texCoords[2], (VEXLVECTOR_T{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(m.vertices[2], (VEXLVECTOR_T{70.0f, 80.0f, 90.0f}));
}

TEST(ModelLoad, SeamVerticesGetBackSideCopiesThatBackFacingTrianglesUse) {
    ModelRecord record;
    ASSERT_EQ(record.load(seamModel()), 0);
    const VEXLMODEL_T& model = record.model;
    EXPECT_EQ(model.seamVertexCount, 2u);
    ASSERT_EQ(record.vertexSlots(), 5u);
    EXPECT_EQ(std::vector<uint32_t>(model.seamMap, model.seamMap + 5),
              (std::vector<uint32_t>{3, 0, 4, 0, 0}));
    EXPECT_EQ(model.texCoords[0], (VEXLVECTOR_T{0.0f, 0.75f, 0.0f}));
    EXPECT_EQ(model.texCoords[3], (VEXLVECTOR_T{0.5f, 0.75f, 0.0f}));
    EXPECT_EQ(model.texCoords[2], (VEXLVECTOR_T{0.25f, 0.0f, 0.0f}));
    EXPECT_EQ(model.texCoords[4], (VEXLVECTOR_T{0.75f, 0.0f, 0.0f}));
    EXPECT_EQ(record.triangle(0), (std::vector<uint16_t>{2, 1, 0}));
    EXPECT_EQ(record.triangle(1), (std::vector<uint16_t>{4, 1, 3}));
    for (uint32_t frame = 0; frame < 2; ++frame) {
        const VEXLVECTOR_T* positions = model.vertices + frame * 5;
        EXPECT_EQ(positions[3], positions[0]) << "frame " << frame;
        EXPECT_EQ(positions[4], positions[2]) << "frame " << frame;
    }
    EXPECT_EQ(model.vertices[5], (VEXLVECTOR_T{11.0f, 12.0f, 13.0f}));
}

TEST(ModelLoad, SkinGroupsFillConsecutiveSlotsAndEachLeavesAnEmptyOne) {
    ModelWriter writer(2, 1);
    writer.skin({9, 8}).skinGroup({{1, 2}, {3, 4}}).skinGroup({});
    writer.texCoord(0, 0).triangle(0, 0, 0).frame({"f", {{0, 0, 0}}});
    ModelRecord record;
    ASSERT_EQ(record.load(writer.build()), 0);
    const VEXLMODEL_T& model = record.model;
    EXPECT_EQ(model.skinCount, 3);
    EXPECT_EQ(model.groupSkinCount, 2);
    EXPECT_EQ(model.texCoordOffset, 84u + 6 + (8 + 2 * 6) + 8);
    const Bytes expected[] = {{9, 8}, {1, 2}, {3, 4}};
    for (int slot = 0; slot < 3; ++slot) {
        const VEXLPICTURE_T& skin = model.skins[slot];
        EXPECT_EQ(skin.width * skin.height, 2u);
        EXPECT_EQ(Bytes(skin.pixels, skin.pixels + 2), expected[slot]) << "slot " << slot;
    }
    for (int slot = 3; slot < 5; ++slot) {
        EXPECT_EQ(model.skins[slot].pixels, nullptr);
        EXPECT_EQ(model.skins[slot].width, 0u);
    }
}

TEST(ModelLoad, FrameGroupsUnrollAndMarkOnlyTheirFirstFrame) {
    ModelWriter writer(1, 1);
    writer.skin({0}).texCoord(0, 0).triangle(0, 0, 0);
    writer.frameGroup({{"run1", {{1, 1, 1}}}, {"run2", {{2, 2, 2}}}, {"run3", {{3, 3, 3}}}});
    writer.frame({"stand", {{4, 4, 4}}});
    ModelRecord record;
    ASSERT_EQ(record.load(writer.build()), 0);
    EXPECT_EQ(record.model.frameCount, 2);
    EXPECT_EQ(record.model.extraFrameCount, 2);
    EXPECT_EQ(Bytes(record.model.frameGroupSizes, record.model.frameGroupSizes + 4),
              (Bytes{3, 0, 0, 0}));
    EXPECT_EQ(record.frameName(1), "run2");
    EXPECT_EQ(record.frameName(3), "stand");
    EXPECT_EQ(record.model.vertices[2], (VEXLVECTOR_T{3.0f, 3.0f, 3.0f}));
    EXPECT_EQ(record.model.vertices[3], (VEXLVECTOR_T{4.0f, 4.0f, 4.0f}));
}

// Every byte value in every component, with a scale and translate that
// float arithmetic would round differently, and seam copies in both frames.
// Positions are unpacked in double with each component's scale and translate.
TEST(ModelLoad, EveryByteValueUnpacksAsInDoubleForEveryVertexAndCopy) {
    const float scale[3] = {0.1f, 3.7f, -0.013f};
    const float translate[3] = {-7.3f, 1.0e-3f, 1234.567f};
    ModelWriter writer(4, 4);
    writer.scale(scale[0], scale[1], scale[2]).translate(translate[0], translate[1], translate[2]);
    writer.skin(Bytes(16, 0)).triangle(0, 1, 2);
    auto packed = [](uint32_t v, uint32_t frame) {
        return PackedVertex{static_cast<uint8_t>(v + frame), static_cast<uint8_t>(255 - v),
                            static_cast<uint8_t>(v * 7 + frame), static_cast<uint8_t>(v)};
    };
    std::vector<SimpleFrame> frames{{" blank name ", {}}, {"b", {}}};
    for (uint32_t v = 0; v < 256; ++v) {
        writer.texCoord(v % 4, v % 4, v % 3 == 0);
        for (uint32_t frame = 0; frame < 2; ++frame) {
            frames[frame].vertices.push_back(packed(v, frame));
        }
    }
    writer.frame(frames[0]).frame(frames[1]);
    ModelRecord record;
    ASSERT_EQ(record.load(writer.build()), 0);
    const VEXLMODEL_T& model = record.model;
    ASSERT_EQ(model.seamVertexCount, 86u);
    EXPECT_EQ(record.frameName(0), " blank name ") << "the loader trims nothing";
    const uint32_t slots = record.vertexSlots();
    auto unpacked = [&](uint8_t byte, int axis) {
        return static_cast<float>(byte * static_cast<double>(scale[axis]) + translate[axis]);
    };
    for (uint32_t frame = 0; frame < 2; ++frame) {
        const VEXLVECTOR_T* positions = model.vertices + frame * slots;
        for (uint32_t v = 0; v < 256; ++v) {
            const PackedVertex in = packed(v, frame);
            const VEXLVECTOR_T expected{unpacked(in.x, 0), unpacked(in.y, 1), unpacked(in.z, 2)};
            ASSERT_EQ(positions[v], expected) << "frame " << frame << ", vertex " << v;
            if (model.seamMap[v] != 0) {
                ASSERT_EQ(positions[model.seamMap[v]], expected) << "copy of vertex " << v;
            }
        }
    }
}

TEST(ModelLoad, RefusesBadHeadersInHeaderOrderLeavingTheRecordEmpty) {
    struct Case {
        const char* what;
        Bytes bytes;
        int32_t status;
    };
    auto forged = [](auto change) {
        ModelWriter writer = minimalWriter();
        change(writer.header);
        return writer.build();
    };
    using Header = vexl::writers::ModelHeaderFields;
    const Bytes minimal = minimalModel();
    const Case cases[] = {
        {"magic IDPX", forged([](Header& h) { h.magic = "IDPX"; }), 20},
        {"three bytes IDP", Bytes{'I', 'D', 'P'}, 20},
        {"version 5", forged([](Header& h) { h.version = 5; }), 21},
        {"no version", Bytes(minimal.begin(), minimal.begin() + 4), 21},
        {"header ends before the skin count", Bytes(minimal.begin(), minimal.begin() + 48), 22},
        {"no skins", forged([](Header& h) { h.skinCount = 0; }), 22},
        {"zero width", forged([](Header& h) { h.skinWidth = 0; }), 23},
        {"zero height", forged([](Header& h) { h.skinHeight = 0; }), 24},
        {"no vertices", forged([](Header& h) { h.vertexCount = 0; }), 25},
        {"no triangles", forged([](Header& h) { h.triangleCount = 0; }), 26},
        {"no frames", forged([](Header& h) { h.frameCount = 0; }), 27},
        {"no skins and no vertices", forged([](Header& h) { h.skinCount = h.vertexCount = 0; }),
         22},
    };
    for (const Case& c : cases) {
        ModelRecord record;
        ASSERT_EQ(record.load(minimal), 0);
        EXPECT_EQ(record.load(c.bytes), c.status) << c.what;
        vexl::testing::expectEmpty(record.model);
    }
}

TEST(ModelLoad, DataEndingInsideItsSectionsIsRefused) {
    const Bytes minimal = minimalModel();
    for (size_t size = 84; size < minimal.size(); ++size) {
        ModelRecord record;
        ASSERT_EQ(record.load(seamModel()), 0);
        EXPECT_EQ(record.load(Bytes(minimal.begin(), minimal.begin() + size)), 20)
            << size << " bytes";
        vexl::testing::expectEmpty(record.model);
    }
    Bytes padded = minimal;
    padded.resize(minimal.size() + 10, 0xEE);
    ModelRecord record;
    EXPECT_EQ(record.load(padded), 0) << "bytes after the frames are ignored";
    EXPECT_EQ(record.model.dataSize, 194u);
}

// Each model below is complete as far as its own counts go, but what it
// asks for cannot be measured in 32 bits, held in the record, or indexed.
TEST(ModelLoad, UnrepresentableDataIsRefused) {
    auto base = [](uint32_t width, uint32_t height) {
        ModelWriter writer(width, height);
        writer.triangle(0, 0, 0);
        return writer;
    };
    ModelWriter badIndex = minimalWriter();
    badIndex.triangle(0, 3, 1);
    ModelWriter emptyFrameGroup = base(1, 1);
    emptyFrameGroup.skin({0}).texCoord(0, 0).frameGroup({});
    // 2^15 pictures of 4 + 131068 bytes, 2^14 frames of 4 + 24 + 4 × 65529
    // bytes, 65536 × 65536 pixels: each wraps to 0 in 32 bits.
    ModelWriter wrappingSkins = base(131068, 1);
    wrappingSkins.skinGroup({}, 0x8000).texCoord(0, 0).frame({"f", {{}}});
    ModelWriter wrappingFrames = base(1, 1);
    wrappingFrames.skin({0}).frameGroup({}, 0x4000);
    ModelWriter hugeSkin = base(0x10000, 0x10000);
    hugeSkin.skin({}).texCoord(0, 0).frame({"f", {{}}});
    // S, V and F above 65535, and a header count above 65535.
    ModelWriter skins = base(1, 1);
    skins.skinGroup(std::vector<Bytes>(0x10000, Bytes{7})).texCoord(0, 0).frame({"f", {{}}});
    ModelWriter seams = base(1, 1);
    seams.skin({0});
    ModelWriter frames = base(1, 1);
    frames.skin({0}).texCoord(0, 0).frame({"f", {{}}});
    frames.frameGroup(std::vector<SimpleFrame>(0xFFFF, SimpleFrame{"g", {{}}}));
    ModelWriter triangles = base(1, 1);
    triangles.skin({0}).texCoord(0, 0).frame({"f", {{}}});
    for (uint32_t i = 0; i < 0xFFFF; ++i) {
        if (i < 65529) {
            wrappingFrames.texCoord(0, 0);
        }
        seams.texCoord(0, 0, i < 40000);
        triangles.triangle(0, 0, 0);
    }
    seams.frame({"f", std::vector<PackedVertex>(0xFFFF)});

    const std::pair<const char*, const ModelWriter*> cases[] = {
        {"triangle index equal to the vertex count", &badIndex},
        {"frame group of no frames", &emptyFrameGroup},
        {"skin group size wrapping", &wrappingSkins},
        {"frame group size wrapping", &wrappingFrames},
        {"skin size wrapping", &hugeSkin},
        {"skin slots", &skins},
        {"vertex slots", &seams},
        {"frames", &frames},
        {"triangle count", &triangles},
    };
    for (const auto& [what, writer] : cases) {
        ModelRecord record;
        EXPECT_EQ(record.load(writer->build()), 20) << what;
        vexl::testing::expectEmpty(record.model);
    }
}

TEST(ModelLoad, KillEmptiesAllButDataSizeFlagsAndSyncType) {
    ModelRecord record;
    ASSERT_EQ(record.load(seamModel()), 0);
    ASSERT_EQ(record.load(minimalModel()), 0);
    vexlModelKill(record.model);
    vexl::testing::expectEmpty(record.model);
    EXPECT_EQ(record.model.dataSize, 184u);
    EXPECT_EQ(record.model.flags, 7);
    EXPECT_EQ(record.model.syncType, 1);
    vexlModelKill(record.model);
    vexl::testing::expectEmpty(record.model);

    VEXLMODEL_T zeroed{};
    vexlModelKill(zeroed);
    const VEXLMODEL_T reference{};
    EXPECT_EQ(std::memcmp(&zeroed, &reference, sizeof(zeroed)), 0);
}

TEST(ModelLoad, ReloadingDescribesOnlyTheNewDataAndNoBytesKeepIt) {
    ModelWriter grouped(1, 1);
    grouped.skinGroup({{1}, {2}}).texCoord(0, 0, true).triangle(0, 0, 0);
    grouped.frameGroup({{"a", {{0, 0, 0}}}, {"b", {{0, 0, 0}}}});
    ModelRecord fresh;
    ASSERT_EQ(fresh.load(seamModel()), 0);
    ModelRecord reused;
    ASSERT_EQ(reused.load(grouped.build()), 0);
    ASSERT_EQ(reused.load(seamModel()), 0);
    const uint8_t* const none = nullptr;
    EXPECT_EQ(vexlModelLoad(none, 184u, reused.model), 1) << "no bytes leave the record as it was";
    EXPECT_EQ(reused.load(Bytes{}), 1);
    EXPECT_EQ(reused.model.groupSkinCount, 0);
    EXPECT_EQ(reused.model.extraFrameCount, 0);
    EXPECT_EQ(reused.model.seamVertexCount, 2u);
    EXPECT_EQ(reused.positions(), fresh.positions());
    EXPECT_EQ(std::memcmp(reused.model.texCoords, fresh.model.texCoords, 5 * sizeof(VEXLVECTOR_T)),
              0);
}
