// The C++ layer over files built by the test writers.
#include "support/temp_dir.hpp"
#include "vexalkit_cpp.hpp"
#include "writers/byte_writer.hpp"
#include "writers/image_writer.hpp"
#include "writers/model_writer.hpp"
#include "writers/wad_writer.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace writers = vexl::writers;
using vexl::testing::TempDir;

namespace {

writers::Bytes tinyModel(const std::vector<std::string>& frameNames) {
    writers::ModelWriter model(2, 2);
    model.skin({1, 2, 3, 4}).texCoord(0, 0).texCoord(1, 1).texCoord(1, 0).triangle(0, 1, 2);
    for (const std::string& name : frameNames) {
        model.frame({name, {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}}});
    }
    return model.build();
}

// `call` fails with a not-found error naming `name`.
template <typename Call> void expectNotFound(Call call, const std::string& name) {
    try {
        call();
        ADD_FAILURE() << "no error for " << name;
    } catch (const vexalkit::Error& error) {
        EXPECT_TRUE(error.isNotFound());
        EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
}

TEST(LayerErrors, CarryCodeTextAndContext) {
    const struct {
        int32_t code;
        std::string text;
    } cases[] = {
        {4, "file no found"},         {12, "file is not a Vexal WAD2"},
        {13, "Vexal WAD2 corrupted"}, {50, "file is not a Vexal SPRITE"},
        {53, "sprite size invalid"},  {99, "status 99"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vexalkit::statusText(c.code), c.text) << c.code;
    }
    const vexalkit::Error error(4, "base.pak:x.mdl");
    EXPECT_STREQ(error.what(), "base.pak:x.mdl: file no found");
    EXPECT_TRUE(error.isNotFound());
    EXPECT_EQ(error.status(), vexalkit::Status::FileNotFound);
}

TEST(LayerStrings, HeapStringReusesItsBlockAndGrowsWhenItMust) {
    vexalkit::HeapString text;
    EXPECT_EQ(text.get().data, nullptr);
    text.reserve(8);
    const char* const block = text.get().data;
    text.assign("abc");
    EXPECT_EQ(text.get().data, block);
    text.assign("a text longer than eight");
    EXPECT_EQ(text.text(), "a text longer than eight");
    EXPECT_EQ(text.get().data[text.text().size()], '\0');
}

TEST(LayerFiles, ReadFileLeavesNamesAloneAndReportsMissingAsNotFound) {
    TempDir dir;
    const std::string pak = dir.write("data.pak", writers::buildPak({{"gfx/pic.lmp", {1, 2, 3}}}));
    const std::string archive = dir.path().string() + "/data";
    const std::string name = "gfx/pic.lmp";
    const vexalkit::Bytes bytes = vexalkit::readFile(archive, name);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(name, "gfx/pic.lmp");
    EXPECT_EQ(vexalkit::readFile(pak).size(), std::filesystem::file_size(pak));
    expectNotFound([&] { vexalkit::readFile(archive, "gfx/none.lmp"); }, "gfx/none.lmp");
}

TEST(LayerFiles, WhatIsNamesEveryType) {
    EXPECT_EQ(vexalkit::whatIs(writers::paletteBytes()), vexalkit::FileType::Palette);
    EXPECT_EQ(vexalkit::whatIs(tinyModel({"a"})), vexalkit::FileType::Model);
    EXPECT_EQ(vexalkit::whatIs(std::vector<uint8_t>(3)), vexalkit::FileType::Unknown);
    EXPECT_EQ(vexalkit::typeName(vexalkit::FileType::ColorMap), "colormap");
    EXPECT_EQ(vexalkit::typeName(static_cast<vexalkit::FileType>(3)), "unknown");
}

TEST(LayerArchives, PakDirectoryFindsEntriesAsTheLoaderDoes) {
    TempDir dir;
    const std::string pak =
        dir.write("data.pak", writers::buildPak({{"gfx/a.lmp", {1}}, {"progs/b.mdl", {2, 3}}}));
    const auto directory = vexalkit::PakDirectory::read(pak);
    ASSERT_EQ(directory.size(), 2u);
    EXPECT_EQ(vexalkit::entryName(directory.entries()[1]), "progs\\b.mdl");
    ASSERT_NE(directory.find("./progs//b.mdl"), nullptr);
    EXPECT_EQ(directory.find("progs\\b.mdl")->fileLen, 2u);
    EXPECT_EQ(directory.find("PROGS/B.MDL"), nullptr);
    EXPECT_EQ(directory.readFile("gfx/a.lmp").size(), 1u);
    std::size_t count = 0;
    for (const VEXLPACKENTRY_T& entry : directory) {
        count += entry.valid;
    }
    EXPECT_EQ(count, 2u);
}

TEST(LayerArchives, WadDirectoryFindsEntriesAndBoundsTheirBytes) {
    const writers::Bytes wad = writers::buildWad({{"CONCHARS", {9, 8, 7}, 0x44}});
    const auto directory = vexalkit::WadDirectory::read(wad);
    ASSERT_EQ(directory.size(), 1u);
    const VEXLWADENTRY_T* entry = directory.find("conchars");
    ASSERT_NE(entry, nullptr);
    const auto bytes = vexalkit::WadDirectory::entryBytes(wad, *entry);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), (std::vector<uint8_t>{9, 8, 7}));
    VEXLWADENTRY_T outside = *entry;
    outside.filePos = 0xFFFFFFF0u;
    EXPECT_THROW(vexalkit::WadDirectory::entryBytes(wad, outside), vexalkit::Error);
    EXPECT_THROW(vexalkit::WadDirectory::read(std::vector<uint8_t>(12)), vexalkit::Error);
}

TEST(LayerImages, PictureExpandsThroughPaletteAndCopiesTheRow) {
    auto palette = vexalkit::Palette::load(
        writers::paletteBytes({{}, {}, {}, {}, {}, {1, 2, 3}, {}, {4, 5, 6}}));
    palette.loadColorMap(writers::colorMapBytes(2, [](uint32_t row, uint32_t index) {
        return static_cast<uint8_t>(row == 1 ? 7 : index);
    }));
    EXPECT_EQ(palette.colorMapRows(), 2u);
    EXPECT_EQ(palette.colors()[5], 0xFF010203u);
    const auto picture = vexalkit::Picture::load(writers::pictureBytes(2, 1, {5, 7}));
    EXPECT_EQ(picture.width(), 2u);
    EXPECT_EQ(picture.pixels()[1], 7);
    const vexalkit::Colors plain = picture.toRGBA(palette);
    EXPECT_EQ(plain[0], 0xFF010203u);
    const std::optional<uint32_t> row = 1;
    for (int again = 0; again < 2; ++again) {
        const vexalkit::Colors shaded = picture.toRGBA(palette, row);
        ASSERT_EQ(shaded.size(), 2u);
        EXPECT_EQ(shaded[0], 0xFF040506u) << "pass " << again;
    }
    EXPECT_THROW(picture.toRGBA(vexalkit::Palette{}), std::invalid_argument);
    EXPECT_THROW(palette.loadColorMap(std::vector<uint8_t>(257)), vexalkit::Error);
}

TEST(LayerImages, SpriteShowsTheEmptySlotAfterAGroup) {
    const writers::Bytes bytes = writers::SpriteWriter()
                                     .single({-1, 1, 1, 1, {3}})
                                     .group({0.5f, 0.25f}, {{0, 0, 1, 1, {4}}, {2, 2, 1, 1, {5}}})
                                     .build();
    const auto sprite = vexalkit::Sprite::load(bytes);
    ASSERT_EQ(sprite.slotCount(), 4u);
    EXPECT_EQ(sprite.slot(0).originX, -1);
    EXPECT_FALSE(sprite.slot(2).empty);
    EXPECT_EQ(sprite.slot(2).picture.pixels()[0], 5);
    EXPECT_TRUE(sprite.slot(3).empty);
    EXPECT_THROW(sprite.slot(4), std::out_of_range);
    EXPECT_THROW(vexalkit::Sprite::load(writers::SpriteWriter().magic("IDSQ").build()),
                 vexalkit::Error);
}

TEST(LayerModel, ReadsFramesAndEditsThem) {
    auto model = vexalkit::Model::load(tinyModel({"stand", "run1"}));
    EXPECT_EQ(model.frameCount(), 2u);
    EXPECT_EQ(model.vertexSlots(), 3u);
    EXPECT_EQ(model.triangles().size(), 1u);
    EXPECT_EQ(model.frame(1).size(), 3u);
    EXPECT_EQ(model.frameName(1), "run1");
    EXPECT_EQ(model.skin(0).width(), 2u);
    EXPECT_THROW(model.frame(2), std::out_of_range);
    const float x = model.frame(0)[0].x;
    model.scale(2.0f);
    EXPECT_EQ(model.frame(0)[0].x, 2 * x);
    const uint16_t last = model.triangles()[0].vertex[2];
    model.swapTris();
    EXPECT_EQ(model.triangles()[0].vertex[0], last);
}

// The library answers 0 for frame 0 and for no match alike; the layer tells
// them apart by frame 0's name, under the library's trimming and folding.
TEST(LayerModel, FindFrameTrimsAndFoldsAsTheLibrary) {
    using namespace std::string_literals;
    const struct {
        std::string frameZero;
        std::string wanted;
        std::optional<uint32_t> found;
    } cases[] = {
        {"stand", "stand", 0u},
        {"stand", " STAND \0\0"s, 0u},
        {"  Stand  ", "sTAND", 0u},
        {"stand", "other", 1u},
        {"stand", "walk", std::nullopt},
        {"stand", "stan", std::nullopt},
        {"stand", "\0stand"s, std::nullopt},
        {"", "  \0"s, 0u},
        {"\x01", "\x01", 0u},
        {"abcdefghijklmnop", "ABCDEFGHIJKLMNOP", 0u},
        {"abcdefghijklmnop", "abcdefghijklmnopo", std::nullopt},
        {"\xC4rger", "\xC4RGER", 0u},
        {"\xC4rger", "\xE4rger", std::nullopt},
    };
    for (const auto& row : cases) {
        const auto model = vexalkit::Model::load(tinyModel({row.frameZero, "other"}));
        EXPECT_EQ(model.findFrame(row.wanted), row.found)
            << "frame 0 \"" << row.frameZero << "\", wanted \"" << row.wanted << "\"";
    }
}

TEST(LayerModel, LoadsByArchiveAndNameWithoutForcingAnExtension) {
    TempDir dir;
    const std::string pak =
        dir.write("data.pak", writers::buildPak({{"m/x.bin", tinyModel({"a"})}}));
    EXPECT_EQ(vexalkit::Model::load(pak, "m/x.bin").frameCount(), 1u);
    expectNotFound([&] { vexalkit::Model::load(pak, "m/x"); }, "m/x");
}

TEST(LayerOwners, MoveLeavesTheSourceEmpty) {
    auto first = vexalkit::Model::load(tinyModel({"a"}));
    vexalkit::Model second = std::move(first);
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second.frameCount(), 1u);
    second = vexalkit::Model{};
    EXPECT_TRUE(second.empty());
    EXPECT_EQ(first.frameCount(), 0u);
}

} // namespace
