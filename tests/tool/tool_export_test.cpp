// export writes a whole archive in viewable form: the expected tree, PNG
// files equal to the library's pictures, textures of WAD2 archives.
#include "tool_run.hpp"
#include "vexalkit_cpp.hpp"
#include "writers/image_writer.hpp"
#include "writers/wad_writer.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;

std::vector<uint32_t> libraryColors(const std::string& name, const vexalkit::Palette& palette) {
    const auto picture =
        vexalkit::Picture::load(vexalkit::readFile(sampleArchive().string(), name));
    const vexalkit::Colors colors = picture.toRGBA(palette);
    return std::vector<uint32_t>(colors.begin(), colors.end());
}

using ToolExportTest = ToolTest;

TEST_F(ToolExportTest, SampleArchiveBecomesViewableFiles) {
    const ToolRun exported = run("export -j 2 " + pak() + " -o out");
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_NE(exported.out.find("exported 9 entries as 20 files to out"), std::string::npos)
        << exported.out;
    const fs::path out = work_.path() / "out";
    // Pictures and palettes as PNG, the model as glTF plus its skins, a PNG
    // per sprite picture, the map as it is.
    std::vector<std::string> expected = {"gfx/colormap.png", "maps/yard.map", "progs/creature.glb"};
    for (const char* name : {"badge", "palette", "rings", "swatch"}) {
        expected.push_back("gfx/" + std::string(name) + ".png");
        expected.push_back("gfx/sample/" + std::string(name) + ".png");
    }
    for (int i = 0; i < 6; ++i) {
        expected.push_back("progs/flame_" + std::to_string(i) + ".png");
        if (i < 3) {
            expected.push_back("progs/creature_skin_" + std::to_string(i) + ".png");
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesUnder(out), expected);

    auto palette =
        vexalkit::Palette::load(vexalkit::readFile(sampleArchive().string(), "gfx/palette.lmp"));
    for (const char* picture : {"gfx/rings", "gfx/badge", "gfx/swatch"}) {
        EXPECT_EQ(decodePng(out / (std::string(picture) + ".png")).colors,
                  libraryColors(std::string(picture) + ".lmp", palette))
            << picture;
    }
    const DecodedPng swatch = decodePng(out / "gfx/palette.png");
    EXPECT_EQ(swatch.width, 16U);
    EXPECT_EQ(swatch.colors,
              std::vector<uint32_t>(palette.colors().begin(), palette.colors().end()));

    palette.loadColorMap(vexalkit::readFile(sampleArchive().string(), "gfx/colormap.lmp"));
    const DecodedPng colorMap = decodePng(out / "gfx/colormap.png");
    ASSERT_EQ(colorMap.height, palette.colorMapRows());
    for (const uint32_t at : {0U, 300U, 256U * 63 + 17}) {
        EXPECT_EQ(colorMap.colors[at], palette.colors()[palette.colorMap()[at]]) << at;
    }

    const auto report = validatorReport(out / "progs/creature.glb", work_.path());
    if (!report) {
        GTEST_SKIP() << "gltf-validator is not installed";
    }
    EXPECT_EQ(report->rfind("errors 0 ", 0), 0U) << *report;
}

class ToolTextureExportTest : public ToolTest {
  protected:
    static uint8_t pattern(uint32_t level, uint32_t x, uint32_t y) {
        return static_cast<uint8_t>(x * 7 + y * 3 + level * 50);
    }
    // Colour i of the palette is (i, 255 - i, i / 2).
    static uint32_t color(uint8_t index) {
        return 0xFF000000U | uint32_t{index} << 16U | uint32_t{255U - index} << 8U |
               uint32_t{index / 2U};
    }
    void SetUp() override {
        std::vector<writers::Rgb> colors;
        for (int i = 0; i < 256; ++i) {
            colors.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                              static_cast<uint8_t>(i / 2)});
        }
        writers::Bytes bare(128 * 128);
        for (size_t i = 0; i < bare.size(); ++i) {
            bare[i] = static_cast<uint8_t>(i % 251);
        }
        work_.write("colors.lmp", writers::paletteBytes(colors));
        constexpr uint8_t kTexture = 0x44;
        work_.write(
            "textures.wad",
            writers::buildWad({
                {"palette", writers::paletteBytes(colors), 0x40},
                {"brick", writers::mipTextureBytes("brick", 16, 8, pattern), kTexture},
                {"bare", bare, kTexture},
                {"{fence",
                 writers::mipTextureBytes(
                     "{fence", 8, 8,
                     [](uint32_t, uint32_t x, uint32_t) { return x < 4 ? 255 : 9; }),
                 kTexture},
                {"odd", writers::mipTextureBytes("odd", 12, 8, pattern), kTexture},
                {"cut", writers::mipTextureBytes("cut", 8, 8, pattern, {40, 104, 120, 5000}),
                 kTexture},
            }));
    }
};

TEST_F(ToolTextureExportTest, TexturesBecomePicturesAndFaultyOnesAreNamed) {
    const ToolRun exported = runTool("export textures.wad --mips -o out", work_.path());
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_NE(exported.err.find("odd: texture of 12 x 8; sides must be non-zero multiples of 8"),
              std::string::npos)
        << exported.err;
    EXPECT_NE(exported.err.find("cut: mip level 3 (1 bytes at 5000) lies outside"),
              std::string::npos)
        << exported.err;
    const fs::path out = work_.path() / "out";
    EXPECT_EQ(filesUnder(out),
              (std::vector<std::string>{"bare.png", "brick.png", "brick_mip1.png", "brick_mip2.png",
                                        "brick_mip3.png", "palette.png", "{fence.png",
                                        "{fence_mip1.png", "{fence_mip2.png", "{fence_mip3.png"}));

    for (uint32_t level = 0; level < 4; ++level) {
        const DecodedPng mip = decodePng(
            out / (level == 0 ? "brick.png" : "brick_mip" + std::to_string(level) + ".png"));
        ASSERT_EQ(mip.width, 16U >> level);
        ASSERT_EQ(mip.height, 8U >> level);
        EXPECT_FALSE(mip.hasAlpha);
        const uint32_t lastX = mip.width - 1;
        const uint32_t lastY = mip.height - 1;
        EXPECT_EQ(mip.colors.back(), color(pattern(level, lastX, lastY))) << level;
    }
    const DecodedPng bare = decodePng(out / "bare.png");
    EXPECT_EQ(bare.width, 128U);
    EXPECT_EQ(bare.colors[128 * 127 + 5], color((128 * 127 + 5) % 251));

    const DecodedPng fence = decodePng(out / "{fence.png");
    ASSERT_TRUE(fence.hasAlpha);
    EXPECT_EQ(fence.colors[0] >> 24U, 0U);
    EXPECT_EQ(fence.colors[5], color(9));
}

TEST_F(ToolTextureExportTest, PngAndInfoTakeWadEntriesByName) {
    const ToolRun png =
        runTool("png brick {fence --wad textures.wad --palette colors.lmp -o pics/", work_.path());
    ASSERT_EQ(png.exitCode, 0) << png.err;
    EXPECT_EQ(filesUnder(work_.path() / "pics"),
              (std::vector<std::string>{"brick.png", "{fence.png"}));
    EXPECT_EQ(decodePng(work_.path() / "pics/brick.png").colors.front(), color(pattern(0, 0, 0)));

    const ToolRun info = runTool("info BRICK --wad textures.wad", work_.path());
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("WAD2 entry: mip-mapped texture"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("16 x 8 pixels"), std::string::npos) << info.out;
    const ToolRun odd = runTool("info odd --wad textures.wad --json", work_.path());
    EXPECT_NE(
        nlohmann::json::parse(odd.out)["wadEntry"]["content"]["error"].get<std::string>().find(
            "multiples of 8"),
        std::string::npos);
}

TEST_F(ToolTextureExportTest, WadThenExportGivesBackPicturesOfPaletteColours) {
    ASSERT_EQ(runTool("export textures.wad -o first", work_.path()).exitCode, 1); // odd and cut
    const ToolRun made = runTool("wad first/brick.png first/{fence.png first/bare.png -o new.wad "
                                 "--palette colors.lmp",
                                 work_.path());
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_NE(made.out.find("every one of the 256 colours may be used"), std::string::npos);
    const ToolRun back = runTool("export new.wad --palette colors.lmp -o second", work_.path());
    ASSERT_EQ(back.exitCode, 0) << back.err;
    for (const char* name : {"brick.png", "{fence.png", "bare.png"}) {
        const DecodedPng first = decodePng(work_.path() / "first" / name);
        const DecodedPng second = decodePng(work_.path() / "second" / name);
        EXPECT_EQ(second.colors, first.colors) << name;
        EXPECT_EQ(second.hasAlpha, first.hasAlpha) << name;
    }
}

TEST_F(ToolTextureExportTest, WadLeavesOutFullbrightColoursAndRefusesLongNames) {
    ASSERT_EQ(runTool("png brick --wad textures.wad --palette colors.lmp", work_.path()).exitCode,
              0);
    // Indices 0 and 1 map to themselves in both rows: fullbright.
    work_.write("colormap.lmp", writers::colorMapBytes(2, [](uint32_t row, uint32_t index) {
                    return static_cast<uint8_t>(row == 0 || index == 0 ? index : 1);
                }));
    const ToolRun made = runTool(
        "wad brick.png -o lit.wad --palette colors.lmp --colormap colormap.lmp", work_.path());
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_NE(made.out.find("leaving out 2 fullbright colours"), std::string::npos) << made.out;
    ASSERT_EQ(runTool("export lit.wad --palette colors.lmp -o lit", work_.path()).exitCode, 0);
    // Pixel (0, 0) was index 0; the nearest colour left is index 2.
    EXPECT_EQ(decodePng(work_.path() / "lit/brick.png").colors.front(), color(2));

    fs::copy_file(work_.path() / "brick.png", work_.path() / "a_very_long_name.png");
    const ToolRun tooLong =
        runTool("wad a_very_long_name.png -o long.wad --palette colors.lmp", work_.path());
    EXPECT_EQ(tooLong.exitCode, 1);
    EXPECT_NE(tooLong.err.find("a_very_long_name has 16 characters; at most 15 fit"),
              std::string::npos)
        << tooLong.err;
    EXPECT_FALSE(fs::exists(work_.path() / "long.wad"));
}

TEST_F(ToolExportTest, PngMakesImagesOfPalettesAndColormapsInOneCall) {
    const ToolRun png = run("png gfx/palette.lmp gfx/colormap.lmp --pak " + pak() + " -o kinds/");
    ASSERT_EQ(png.exitCode, 0) << png.err;
    const DecodedPng swatch = decodePng(work_.path() / "kinds/palette.png");
    const DecodedPng colorMap = decodePng(work_.path() / "kinds/colormap.png");
    EXPECT_EQ(swatch.width * swatch.height, 256U);
    EXPECT_EQ(colorMap.width, 256U);
    EXPECT_EQ(colorMap.height, 64U);
}

} // namespace
} // namespace vexl::testing
