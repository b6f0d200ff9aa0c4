// PNG output decoded back and compared with the library's own expansion.
#include "tool_run.hpp"
#include "vexalkit_cpp.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kAlpha = 0xFF000000;

class ToolImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string archive = sampleArchive().string();
        palette_ = vexalkit::Palette::load(vexalkit::readFile(archive, "gfx/palette.lmp"));
        palette_.loadColorMap(vexalkit::readFile(archive, "gfx/colormap.lmp"));
    }

    ToolRun run(const std::string& arguments) { return runTool(arguments, work_.path()); }
    std::string pak() const { return " --pak '" + sampleArchive().string() + "'"; }

    // The library's colours for a picture, through colormap row `row` or
    // straight from the palette when `row` is negative.
    std::vector<uint32_t> expected(const VEXLPICTURE_T& picture, int32_t row) const {
        std::optional<uint32_t> shading;
        if (row >= 0) {
            shading = static_cast<uint32_t>(row);
        }
        const vexalkit::Colors colors = vexalkit::PictureView(picture).toRGBA(palette_, shading);
        return std::vector<uint32_t>(colors.begin(), colors.end());
    }

    void expectPng(const fs::path& file, const VEXLPICTURE_T& picture) const {
        const DecodedPng png = decodePng(file);
        ASSERT_EQ(png.width, picture.width) << file;
        ASSERT_EQ(png.height, picture.height) << file;
        EXPECT_FALSE(png.hasAlpha) << file;
        EXPECT_EQ(png.colors, expected(picture, -1)) << file;
    }

    TempDir work_;
    vexalkit::Palette palette_;
};

TEST_F(ToolImageTest, PictureMatchesTheLibrarysExpansion) {
    const ToolRun written = run("png gfx/rings.lmp" + pak() + " -o rings.png");
    ASSERT_EQ(written.exitCode, 0) << written.err;
    vexalkit::HeapString archive(sampleArchive().string());
    vexalkit::HeapString name("gfx/rings.lmp");
    VEXLPICTURE_T picture{};
    ASSERT_EQ(vexlPictureLoad(archive.get(), name.get(), picture), 0);
    expectPng(work_.path() / "rings.png", picture);
    vexlPictureKill(picture);
}

TEST_F(ToolImageTest, EverySpriteSlotWithAPictureBecomesOneFile) {
    const ToolRun written = run("png progs/flame.spr" + pak() + " -o flame/f.png");
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto sprite =
        vexalkit::Sprite::load(vexalkit::readFile(sampleArchive().string(), "progs/flame.spr"));
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
    const ToolRun written = run("png progs/creature.mdl" + pak());
    ASSERT_EQ(written.exitCode, 0) << written.err;
    vexalkit::HeapString archive(sampleArchive().string());
    vexalkit::HeapString name("progs/creature.mdl");
    VEXLMODEL_T model{};
    ASSERT_EQ(vexlModelLoad(archive.get(), name.get(), model), 0);
    for (uint32_t i = 0; i < 3; ++i) {
        expectPng(work_.path() / ("creature_" + std::to_string(i) + ".png"), model.skins[i]);
    }
    vexlModelKill(model);
}

TEST_F(ToolImageTest, RowShadesThroughTheColormapAndTransparentIndexClearsAlpha) {
    const ToolRun written =
        run("png gfx/swatch.lmp" + pak() + " --row 48 --transparent 255 -o swatch.png");
    ASSERT_EQ(written.exitCode, 0) << written.err;
    vexalkit::HeapString archive(sampleArchive().string());
    vexalkit::HeapString name("gfx/swatch.lmp");
    VEXLPICTURE_T picture{};
    ASSERT_EQ(vexlPictureLoad(archive.get(), name.get(), picture), 0);
    const DecodedPng png = decodePng(work_.path() / "swatch.png");
    ASSERT_TRUE(png.hasAlpha);
    std::vector<uint32_t> colors = expected(picture, 48);
    EXPECT_NE(colors, expected(picture, -1)); // the row does shade
    for (size_t i = 0; i < colors.size(); ++i) {
        if (picture.pixels[i] == 255) {
            colors[i] &= ~kAlpha;
        }
    }
    EXPECT_EQ(png.colors, colors);
    vexlPictureKill(picture);
}

TEST_F(ToolImageTest, FailureLeavesNoFileBehind) {
    // A picture on disk has no archive to take a palette from.
    vexalkit::HeapString archive(sampleArchive().string());
    vexalkit::HeapString name("gfx/rings.lmp");
    uint8_t* bytes = nullptr;
    uint32_t size = 0;
    ASSERT_EQ(vexlPackFileLoad(archive.get(), name.get(), bytes, size), 0);
    work_.write("rings.lmp", std::vector<uint8_t>(bytes, bytes + size));
    std::free(bytes);
    const ToolRun noPalette = run("png rings.lmp");
    EXPECT_EQ(noPalette.exitCode, 1);
    EXPECT_NE(noPalette.err.find("no palette"), std::string::npos);

    // A file stands where the output's directory would have to be.
    work_.write("blocked", {1});
    const ToolRun blocked = run("png rings.lmp --palette missing.lmp -o out.png");
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_EQ(blocked.err, "vexalkit: missing.lmp: file no found\n");
    const ToolRun cannotWrite = run("gltf progs/creature.mdl" + pak() + " -o blocked/c.glb");
    EXPECT_EQ(cannotWrite.exitCode, 1);
    EXPECT_EQ(cannotWrite.err.find('\n'), cannotWrite.err.size() - 1) << cannotWrite.err;

    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(work_.path())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"blocked", "rings.lmp"}));
}

} // namespace
} // namespace vexl::testing
