#include "image/sprite.hpp"
#include "support/empty_records.hpp"
#include "vexalkit.hpp"
#include "writers/image_writer.hpp"

#include <gtest/gtest.h>

using vexl::writers::Bytes;
using vexl::writers::ByteWriter;
using vexl::writers::SpritePicture;
using vexl::writers::SpriteWriter;

namespace {

const SpritePicture kSpark{-1, 1, 2, 2, {10, 11, 12, 13}};

SpritePicture dot(int32_t origin, uint8_t index) {
    return {origin, -origin, 1, 1, {index}};
}

Bytes oneFrame(SpriteWriter writer = {}) {
    return writer.single(kSpark).build();
}

struct SpriteTest : ::testing::Test {
    VEXLSPRITE_T sprite{};
    ~SpriteTest() override { vexlSpriteKill(sprite); }

    int32_t load(const Bytes& bytes) {
        const uint8_t* data = bytes.data();
        return vexlSpriteLoad(data, static_cast<uint32_t>(bytes.size()), sprite);
    }
    // Loads a good sprite first, so that a refusal must also empty it.
    void expectRefused(const Bytes& bytes, int32_t status) {
        ASSERT_EQ(load(oneFrame()), 0);
        EXPECT_EQ(load(bytes), status);
        vexl::testing::expectEmpty(sprite);
    }
    Bytes pixels(uint32_t slot) const {
        const VEXLPICTURE_T& picture = sprite.pictures[slot];
        return Bytes(picture.pixels, picture.pixels + picture.width * picture.height);
    }
};

} // namespace

TEST_F(SpriteTest, LoadsASingleFrame) {
    const Bytes bytes = oneFrame(SpriteWriter().type(258).syncType(0x101));
    ASSERT_EQ(bytes.size(), 60u);
    ASSERT_EQ(load(bytes), 0);
    // Type and sync type keep their low byte only.
    EXPECT_EQ((std::vector<uint32_t>{sprite.type, sprite.syncType, sprite.frameCount,
                                     sprite.groupPictureCount, sprite.pictures[0].width,
                                     sprite.pictures[0].height}),
              (std::vector<uint32_t>{2, 1, 1, 0, 2, 2}));
    EXPECT_EQ(sprite.originX[0], -1);
    EXPECT_EQ(sprite.originY[0], 1);
    EXPECT_EQ(sprite.intervals[0], 0.0f);
    EXPECT_EQ(pixels(0), kSpark.pixels);
}

TEST_F(SpriteTest, PicturesFillSlotsInFileOrderWithIntervalsBesideThem) {
    const Bytes bytes = SpriteWriter()
                            .single(dot(1, 1))
                            .group({0.25f, 0.5f}, {dot(2, 2), dot(3, 3)})
                            .single(dot(4, 4))
                            .group({}, {})
                            .build();
    ASSERT_EQ(load(bytes), 0);
    EXPECT_EQ(sprite.frameCount, 4u);
    EXPECT_EQ(sprite.groupPictureCount, 2u);
    for (uint32_t slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(sprite.originX[slot], static_cast<int32_t>(slot + 1));
        EXPECT_EQ(sprite.originY[slot], -static_cast<int32_t>(slot + 1));
        EXPECT_EQ(pixels(slot), Bytes{static_cast<uint8_t>(slot + 1)});
    }
    const float intervals[] = {0, 0.25f, 0.5f, 0, 0, 0};
    for (uint32_t slot = 0; slot < 6; ++slot) {
        EXPECT_EQ(sprite.intervals[slot], intervals[slot]) << slot;
    }
    for (uint32_t slot : {4u, 5u}) { // one empty slot per group, at the end
        EXPECT_EQ(sprite.pictures[slot].pixels, nullptr);
        EXPECT_EQ(sprite.originX[slot], 0);
    }
}

TEST_F(SpriteTest, HeaderRefusalsComeInOrderAndEmptyTheRecord) {
    expectRefused(oneFrame(SpriteWriter().magic("IDSQ")), 50);
    expectRefused(oneFrame(SpriteWriter().magic(std::string("ID\0\0", 4))), 50);
    expectRefused(oneFrame(SpriteWriter().version(2)), 51);
    expectRefused(oneFrame(SpriteWriter().size(0, 0)), 52);
    expectRefused(oneFrame(SpriteWriter().size(1, 0).frameCount(0)), 53);
    expectRefused(oneFrame(SpriteWriter().frameCount(0)), 54);
    expectRefused(ByteWriter().text("IDSP").u32(1).take(), 52);
}

TEST_F(SpriteTest, DataCutShortLoadsWithZeroesForWhatIsMissing) {
    ASSERT_EQ(load(SpriteWriter().single(dot(1, 1)).single({5, 6, 4, 2, {1, 2, 3}}).build()), 0);
    EXPECT_EQ(pixels(1), (Bytes{1, 2, 3, 0, 0, 0, 0, 0}));

    // Entries past the end read as zero: empty pictures at origin 0.
    ASSERT_EQ(load(oneFrame(SpriteWriter().frameCount(3))), 0);
    EXPECT_EQ(sprite.frameCount, 3u);
    EXPECT_EQ(pixels(0), kSpark.pixels);
    EXPECT_EQ(sprite.pictures[2].width, 0u);
    EXPECT_EQ(sprite.originX[2], 0);
}

TEST_F(SpriteTest, RefusesCountsTheDataCannotBack) {
    constexpr auto kShortfall = static_cast<uint32_t>(vexl::sprite::kMaxShortfall);
    ASSERT_EQ(load(SpriteWriter().single({0, 0, kShortfall, 1, {}}).build()), 0);
    EXPECT_EQ(sprite.pictures[0].width, kShortfall);

    expectRefused(SpriteWriter().single({0, 0, kShortfall + 1, 1, {}}).build(), 50);
    expectRefused(SpriteWriter().single({0, 0, 0x10000, 0x10000, {}}).build(), 50);
    expectRefused(oneFrame(SpriteWriter().frameCount(0xFFFFFFFF)), 50);
    expectRefused(SpriteWriter().frameCount(1).raw(ByteWriter().u32(1).u32(60000).take()).build(),
                  50);
}

TEST_F(SpriteTest, AGroupHoldsAtMost65534Pictures) {
    auto groupOf = [](uint32_t count) {
        return SpriteWriter()
            .group(std::vector<float>(count, 0.1f), std::vector<SpritePicture>(count, dot(7, 7)))
            .build();
    };
    ASSERT_EQ(load(groupOf(65534)), 0);
    EXPECT_EQ(sprite.groupPictureCount, 65534u);
    EXPECT_EQ(sprite.originX[65533], 7);
    EXPECT_EQ(sprite.intervals[65533], 0.1f);
    EXPECT_EQ(sprite.pictures[65534].pixels, nullptr);
    expectRefused(groupOf(65535), 50);
}

TEST_F(SpriteTest, ReloadReplacesAndKillMayBeRepeated) {
    ASSERT_EQ(load(SpriteWriter().group({1}, {dot(1, 1)}).build()), 0);
    const uint8_t* none = nullptr;
    EXPECT_EQ(vexlSpriteLoad(none, 60, sprite), 1);
    EXPECT_EQ(sprite.groupPictureCount, 1u) << "no bytes leaves the record as it was";
    ASSERT_EQ(load(oneFrame()), 0);
    EXPECT_EQ(sprite.groupPictureCount, 0u);
    EXPECT_EQ(pixels(0), kSpark.pixels);
    vexlSpriteKill(sprite);
    vexl::testing::expectEmpty(sprite);
    vexlSpriteKill(sprite);
    vexl::testing::expectEmpty(sprite);
}
