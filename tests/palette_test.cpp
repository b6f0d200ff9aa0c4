#include "support/empty_records.hpp"
#include "vexalkit.hpp"
#include "writers/image_writer.hpp"

#include <gtest/gtest.h>

using vexl::writers::Bytes;
using vexl::writers::colorMapBytes;
using vexl::writers::paletteBytes;

namespace {

uint8_t shifted(uint32_t row, uint32_t index) {
    return static_cast<uint8_t>(index + row);
}

struct PaletteTest : ::testing::Test {
    VEXLPALETTE_T palette{};
    ~PaletteTest() override { vexlPaletteKill(palette); }

    int32_t loadPalette(const Bytes& bytes) {
        const uint8_t* data = bytes.data();
        return vexlPaletteLoad(data, static_cast<uint32_t>(bytes.size()), palette);
    }
    int32_t loadColorMap(const Bytes& bytes) {
        const uint8_t* data = bytes.data();
        return vexlColorMapLoad(data, static_cast<uint32_t>(bytes.size()), palette);
    }
    void loadBoth() {
        ASSERT_EQ(loadPalette(paletteBytes()), 0);
        ASSERT_EQ(loadColorMap(colorMapBytes(2, shifted, 9)), 0);
    }
};

} // namespace

// Neighbouring triples differ in every byte, so a colour that took a byte
// of the triple before or after it, or the bytes past the last one, shows.
TEST_F(PaletteTest, EveryColourTakesExactlyItsOwnTriple) {
    std::vector<vexl::writers::Rgb> colors;
    for (uint32_t i = 0; i < 256; ++i) {
        colors.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                          static_cast<uint8_t>(i * 7 + 1)});
    }
    ASSERT_EQ(loadPalette(paletteBytes(colors)), 0);
    for (uint32_t i = 0; i < 256; ++i) {
        const uint32_t expected = 0xFF000000u | i << 16 | (255 - i) << 8 | ((i * 7 + 1) & 0xFF);
        ASSERT_EQ(palette.colors[i], expected) << "entry " << i;
    }
}

TEST_F(PaletteTest, APaletteLoadEmptiesTheRecordFirst) {
    for (const size_t size : {767u, 769u}) {
        loadBoth();
        EXPECT_EQ(loadPalette(Bytes(size, 7)), 30) << size;
        vexl::testing::expectEmpty(palette);
    }
    loadBoth();
    ASSERT_EQ(loadPalette(paletteBytes()), 0);
    EXPECT_NE(palette.colors, nullptr);
    EXPECT_EQ(palette.colorMap, nullptr);
    EXPECT_EQ(palette.colorMapTail, 0u);
    vexlPaletteKill(palette);
    vexlPaletteKill(palette);
    vexl::testing::expectEmpty(palette);
}

TEST_F(PaletteTest, ColorMapKeepsRowsInFileOrderAndTheTailByte) {
    ASSERT_EQ(loadPalette(paletteBytes()), 0);
    const Bytes colorMap = colorMapBytes(64, shifted, 0xAB);
    ASSERT_EQ(loadColorMap(colorMap), 0);
    EXPECT_EQ(palette.colorMapRows, 64u);
    EXPECT_EQ(palette.colorMapTail, 0xAB);
    EXPECT_EQ(Bytes(palette.colorMap, palette.colorMap + 16384),
              Bytes(colorMap.begin(), colorMap.end() - 1));
}

TEST_F(PaletteTest, ColorMapRefusalsComeInOrderAndChangeNothing) {
    EXPECT_EQ(loadColorMap(Bytes(16384, 0)), 33) << "no palette is found before a bad size";
    vexl::testing::expectEmpty(palette);

    ASSERT_EQ(loadPalette(paletteBytes()), 0);
    EXPECT_EQ(loadColorMap(Bytes(16384, 0)), 31);
    EXPECT_EQ(loadColorMap(Bytes(1, 5)), 31) << "a colormap of no rows";
    EXPECT_EQ(palette.colorMap, nullptr);
    EXPECT_EQ(palette.colorMapTail, 0u);

    ASSERT_EQ(loadColorMap(colorMapBytes(2, shifted, 9)), 0);
    const uint8_t* held = palette.colorMap;
    EXPECT_EQ(loadColorMap(colorMapBytes(3, shifted, 4)), 34);
    EXPECT_EQ(loadColorMap(Bytes(100, 0)), 31);
    EXPECT_EQ(loadColorMap(Bytes(1, 5)), 31);
    // No bytes leave both palette and colormap as they were.
    const uint32_t* colors = palette.colors;
    const uint8_t* none = nullptr;
    EXPECT_EQ(vexlPaletteLoad(none, 768, palette), 1);
    EXPECT_EQ(vexlColorMapLoad(held, 0, palette), 1);
    EXPECT_EQ(palette.colors, colors);
    EXPECT_EQ(palette.colorMap, held);
    EXPECT_EQ(palette.colorMapRows, 2u);
    EXPECT_EQ(palette.colorMapTail, 9u);
}
