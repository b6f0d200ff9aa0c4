// PNG output decoded back and compared with the library's own expansion.
#include "tool_run.hpp"
#include "vexalkit_cpp.hpp"

#include <gtest/gtest.h>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kAlpha = 0xFF000000;

class ToolImageTest : public ToolTest {
  protected:
    void SetUp() override {
        palette_ = vexalkit::Palette::load(sampleFile("gfx/palette.lmp"));
        palette_.loadColorMap(sampleFile("gfx/colormap.lmp"));
    }

    static vexalkit::Bytes sampleFile(const std::string& name) {
        return vexalkit::readFile(sampleArchive().string(), name);
    }

    // The library's colours for a picture, through colormap row `row` or
    // straight from the palette without one.
    std::vector<uint32_t> expected(const VEXLPICTURE_T& picture,
                                   std::optional<uint32_t> row = std::nullopt) const {
        const vexalkit::Colors colors = vexalkit::PictureView(picture).toRGBA(palette_, row);
        return std::vector<uint32_t>(colors.begin(), colors.end());
    }

    void expectPng(const fs::path& file, const VEXLPICTURE_T& picture) const {
        const DecodedPng png = decodePng(file);
        ASSERT_EQ(png.width, picture.width) << file;
        ASSERT_EQ(png.height, picture.height) << file;
        EXPECT_FALSE(png.hasAlpha) << file;
        EXPECT_EQ(png.colors, expected(picture)) << file;
    }

    vexalkit::Palette palette_;
};

TEST_F(ToolImageTest, PictureMatchesTheLibrarysExpansion) {
    const ToolRun written = run("png gfx/rings.lmp --pak " + pak() + " -o rings.png");
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto picture = vexalkit::Picture::load(sampleFile("gfx/rings.lmp"));
    expectPng(work_.path() / "rings.png", picture.record());
}

TEST_F(ToolImageTest, EverySpriteSlotWithAPictureBecomesOneFile) {
    const ToolRun written = run("png progs/flame.spr --pak " + pak() + " -o flame/f.png");
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto sprite = vexalkit::Sprite::load(sampleFile("progs/flame.spr"));
    // The group's empty slot at the end is left out.
    ASSERT_TRUE(sprite.slot(sprite.slotCount() - 1).empty);
    const size_t filled = sprite.slotCount() - 1;
    for (size_t i = 0; i < filled; ++i) {
        expectPng(work_.path() / "flame" / ("f_" + std::to_string(i) + ".png"),
                  *sprite.slot(i).picture.record());
    }
    EXPECT_FALSE(fs::exists(work_.path() / "flame" / ("f_" + std::to_string(filled) + ".png")));
}

TEST_F(ToolImageTest, EveryModelSkinBecomesOneFile) {
    const ToolRun written = run("png progs/creature.mdl --pak " + pak());
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto model = vexalkit::Model::load(sampleArchive().string(), "progs/creature.mdl");
    for (uint32_t i = 0; i < 3; ++i) {
        expectPng(work_.path() / ("creature_" + std::to_string(i) + ".png"),
                  model.record().skins[i]);
    }
}

TEST_F(ToolImageTest, RowShadesThroughTheColormapAndTransparentIndexClearsAlpha) {
    const ToolRun written =
        run("png gfx/swatch.lmp --pak " + pak() + " --row 48 --transparent 255 -o swatch.png");
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto loaded = vexalkit::Picture::load(sampleFile("gfx/swatch.lmp"));
    const VEXLPICTURE_T& picture = loaded.record();
    const DecodedPng png = decodePng(work_.path() / "swatch.png");
    ASSERT_TRUE(png.hasAlpha);
    std::vector<uint32_t> colors = expected(picture, 48);
    EXPECT_NE(colors, expected(picture)); // the row does shade
    for (size_t i = 0; i < colors.size(); ++i) {
        if (picture.pixels[i] == 255) {
            colors[i] &= ~kAlpha;
        }
    }
    EXPECT_EQ(png.colors, colors);
}

TEST_F(ToolImageTest, FailureLeavesNoFileBehind) {
    // A picture on disk has no archive to take a palette from.
    const vexalkit::Bytes rings = sampleFile("gfx/rings.lmp");
    work_.write("rings.lmp", std::vector<uint8_t>(rings.begin(), rings.end()));
    const ToolRun noPalette = run("png rings.lmp");
    EXPECT_EQ(noPalette.exitCode, 1);
    EXPECT_NE(noPalette.err.find("no palette"), std::string::npos);

    // A file stands where the output's directory would have to be.
    work_.write("blocked", {1});
    const ToolRun blocked = run("png rings.lmp --palette missing.lmp -o out.png");
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_EQ(blocked.err, "vexalkit: missing.lmp: No such file or directory\n");
    const ToolRun cannotWrite = run("gltf progs/creature.mdl --pak " + pak() + " -o blocked/c.glb");
    EXPECT_EQ(cannotWrite.exitCode, 1);
    EXPECT_EQ(cannotWrite.err.find('\n'), cannotWrite.err.size() - 1) << cannotWrite.err;
    EXPECT_EQ(everythingUnder(work_.path()), (std::vector<std::string>{"blocked", "rings.lmp"}));
}

} // namespace
} // namespace vexl::testing
