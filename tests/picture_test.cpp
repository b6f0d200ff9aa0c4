#include "support/empty_records.hpp"
#include "vexalkit.hpp"
#include "writers/image_writer.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

using vexl::writers::Bytes;
using vexl::writers::pictureBytes;

namespace {

const Bytes kSixPixels = {1, 2, 3, 4, 5, 6};

struct PictureTest : ::testing::Test {
    VEXLPICTURE_T picture{};
    VEXLPALETTE_T palette{};
    ~PictureTest() override {
        vexlPictureKill(picture);
        vexlPaletteKill(palette);
    }

    int32_t load(const Bytes& bytes) {
        const uint8_t* data = bytes.data();
        return vexlPictureLoad(data, static_cast<uint32_t>(bytes.size()), picture);
    }
    // Palette entry i is 0xFF0000ii; colormap row r maps index i to i + r.
    void loadPalette(uint32_t colorMapRows) {
        std::vector<vexl::writers::Rgb> ramp;
        for (int i = 0; i < 256; ++i) {
            ramp.push_back({0, 0, static_cast<uint8_t>(i)});
        }
        const Bytes colors = vexl::writers::paletteBytes(ramp);
        const uint8_t* data = colors.data();
        ASSERT_EQ(vexlPaletteLoad(data, 768, palette), 0);
        if (colorMapRows != 0) {
            const Bytes map =
                vexl::writers::colorMapBytes(colorMapRows, [](uint32_t row, uint32_t i) {
                    return static_cast<uint8_t>(i + row);
                });
            const uint8_t* mapData = map.data();
            ASSERT_EQ(vexlColorMapLoad(mapData, static_cast<uint32_t>(map.size()), palette), 0);
        }
    }
    // Expands a 1 × 1 picture of index 1: its one colour, or 0 for null.
    uint32_t expandIndexOne(int32_t& row) {
        EXPECT_EQ(load(pictureBytes(1, 1, {1})), 0);
        uint32_t* colors = vexlPictureToRGB(picture, palette, row);
        const uint32_t color = colors != nullptr ? *colors : 0;
        std::free(colors);
        return color;
    }
};

} // namespace

TEST_F(PictureTest, LoadsWidthHeightAndPixels) {
    ASSERT_EQ(load(pictureBytes(2, 3, kSixPixels)), 0);
    EXPECT_EQ(picture.width, 2u);
    EXPECT_EQ(picture.height, 3u);
    EXPECT_EQ(Bytes(picture.pixels, picture.pixels + 6), kSixPixels);

    const uint8_t* none = nullptr;
    EXPECT_EQ(vexlPictureLoad(none, 14, picture), 1);
    EXPECT_EQ(picture.width, 2u) << "no bytes leaves the record as it was";
    vexlPictureKill(picture);
    vexlPictureKill(picture);
    vexl::testing::expectEmpty(picture);
}

TEST_F(PictureTest, RefusesASizeThatDisagreesWithTheHeader) {
    const Bytes exact = pictureBytes(2, 3, kSixPixels);
    for (const Bytes& bytes :
         {Bytes(exact.begin(), exact.end() - 1), pictureBytes(2, 3, {1, 2, 3, 4, 5, 6, 7}),
          Bytes{2, 0, 0, 0}, pictureBytes(0x10000, 0x10000, {})}) {
        ASSERT_EQ(load(exact), 0);
        EXPECT_EQ(load(bytes), 32) << bytes.size() << " bytes";
        vexl::testing::expectEmpty(picture);
    }
}

TEST_F(PictureTest, RowIsClampedAndRewrittenToItsOffset) {
    loadPalette(64);
    int32_t row = -1;
    EXPECT_EQ(expandIndexOne(row), 0xFF000001u);
    EXPECT_EQ(row, -1);
    row = 5;
    EXPECT_EQ(expandIndexOne(row), 0xFF000006u);
    EXPECT_EQ(row, 1280);
    row = 100;
    EXPECT_EQ(expandIndexOne(row), 0xFF000001u + 63);
    EXPECT_EQ(row, 16128);
    row = 1280;
    EXPECT_EQ(expandIndexOne(row), 0xFF000001u + 63);
    EXPECT_EQ(row, 16128);
}

TEST_F(PictureTest, WithoutColorMapRowsThePaletteIsUsedAlone) {
    loadPalette(0);
    int32_t row = 5;
    EXPECT_EQ(expandIndexOne(row), 0xFF000001u);
    EXPECT_EQ(row, 5);
    uint8_t noRows = 0;
    palette.colorMap = &noRows; // a record built by hand: never indexed
    EXPECT_EQ(expandIndexOne(row), 0xFF000001u);
    EXPECT_EQ(row, 5);
    palette.colorMap = nullptr;
}

TEST_F(PictureTest, ExpansionRefusesWhatItCannotServe) {
    int32_t row = 0;
    ASSERT_EQ(load(pictureBytes(1, 1, {1})), 0);
    EXPECT_EQ(vexlPictureToRGB(picture, palette, row), nullptr) << "no palette";
    loadPalette(0);
    ASSERT_EQ(load(pictureBytes(0, 0, {})), 0);
    EXPECT_NE(picture.pixels, nullptr);
    EXPECT_EQ(vexlPictureToRGB(picture, palette, row), nullptr) << "no pixels";
    uint8_t pixel = 0;
    VEXLPICTURE_T huge{0x10000, 0x4000, &pixel}; // 4 GiB of colours
    EXPECT_EQ(vexlPictureToRGB(huge, palette, row), nullptr);
}
