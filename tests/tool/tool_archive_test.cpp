// The tool's listing, description, map check and failure reports, run on the
// sample archive.
#include "tool_run.hpp"
#include "vexalkit_cpp.hpp"

#include <gtest/gtest.h>

#include <set>

namespace vexl::testing {
namespace {

using nlohmann::json;

using ToolArchiveTest = ToolTest;

TEST_F(ToolArchiveTest, ListingMatchesTheLibrarysDirectory) {
    const ToolRun listed = run("ls --json " + pak());
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const json listing = json::parse(listed.out);

    const auto directory = vexalkit::PakDirectory::read(sampleArchive().string());
    const VEXLPACKINFO_T& info = directory.record();
    ASSERT_EQ(listing["entries"].size(), info.entryCount);
    EXPECT_EQ(listing["format"], "PAK");
    EXPECT_EQ(listing["directoryOffset"], info.dirOffset);
    std::set<std::string> names;
    for (uint32_t i = 0; i < info.entryCount; ++i) {
        const json& entry = listing["entries"][i];
        std::string expected = info.entries[i].name;
        std::replace(expected.begin(), expected.end(), '\\', '/');
        EXPECT_EQ(entry["name"], expected);
        EXPECT_EQ(entry["position"], info.entries[i].filePos);
        EXPECT_EQ(entry["length"], info.entries[i].fileLen);
        EXPECT_EQ(entry["valid"], info.entries[i].valid != 0);
        names.insert(expected);
    }
    // One file of every kind the library reads.
    for (const char* name :
         {"gfx/palette.lmp", "gfx/colormap.lmp", "gfx/rings.lmp", "progs/flame.spr",
          "progs/creature.mdl", "maps/yard.map", "gfx/sample.wad"}) {
        EXPECT_EQ(names.count(name), 1U) << name;
    }

    const ToolRun text = run("ls " + pak());
    EXPECT_NE(text.out.find("progs/creature.mdl"), std::string::npos);
    EXPECT_NE(text.out.find(" yes "), std::string::npos);
}

TEST_F(ToolArchiveTest, ListsAWad2ArchiveInsideThePak) {
    const ToolRun listed = run("ls --json gfx/sample.wad --pak " + pak());
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const json listing = json::parse(listed.out);
    EXPECT_EQ(listing["format"], "WAD2");
    ASSERT_GE(listing["entries"].size(), 2U);
    for (const json& entry : listing["entries"]) {
        EXPECT_TRUE(entry["valid"].get<bool>()) << entry;
        EXPECT_EQ(entry["compression"], 0);
    }
    EXPECT_EQ(listing["entries"][0]["name"], "palette");
}

TEST_F(ToolArchiveTest, DescribesTheModelAsTheLibraryLoadsIt) {
    const ToolRun described = run("info --json progs/creature.mdl --pak " + pak());
    ASSERT_EQ(described.exitCode, 0) << described.err;
    const json model = json::parse(described.out)["model"];

    const auto loaded = vexalkit::Model::load(sampleArchive().string(), "progs/creature.mdl");
    EXPECT_EQ(model["vertices"], loaded.record().vertexCount);
    EXPECT_EQ(model["seamVertices"], loaded.record().seamVertexCount);
    EXPECT_EQ(model["triangles"], loaded.triangles().size());
    EXPECT_EQ(model["skinSlots"], loaded.skinSlots());
    EXPECT_EQ(model["frames"].size(), loaded.frameCount());

    // The sample has a single skin and a skin group, idle singles and a
    // running group; the tool sees both as animations.
    EXPECT_GT(model["seamVertices"].get<int>(), 0);
    EXPECT_EQ(model["skinGroups"], 1);
    EXPECT_EQ(model["frames"][0]["name"], "stand1");
    const json& sequences = model["sequences"];
    ASSERT_EQ(sequences.size(), 2U);
    EXPECT_EQ(sequences[0],
              json({{"name", "stand"}, {"first", 0}, {"count", 4}, {"group", false}}));
    EXPECT_EQ(sequences[1], json({{"name", "run"}, {"first", 4}, {"count", 6}, {"group", true}}));
}

TEST_F(ToolArchiveTest, DescribesTheSpriteSlots) {
    const ToolRun described = run("info --json progs/flame.spr --pak " + pak());
    ASSERT_EQ(described.exitCode, 0) << described.err;
    const json summary = json::parse(described.out);
    EXPECT_EQ(summary["kind"], "sprite");
    const json& sprite = summary["sprite"];
    EXPECT_EQ(sprite["frameEntries"], 3);
    EXPECT_EQ(sprite["groupPictures"], 4);
    // Two singles and four group pictures fill six of the seven slots.
    ASSERT_EQ(sprite["pictures"].size(), 6U);
    EXPECT_FLOAT_EQ(sprite["pictures"][2]["interval"].get<float>(), 0.1F);

    const ToolRun text = run("info progs/flame.spr --pak " + pak());
    EXPECT_EQ(text.out.rfind("progs/flame.spr in ", 0), 0U) << text.out;
}

TEST_F(ToolArchiveTest, MapCheckPrintsTheReport) {
    const ToolRun checked = run("map maps/yard.map --pak " + pak());
    ASSERT_EQ(checked.exitCode, 0) << checked.err;
    EXPECT_NE(checked.out.find("classname"), std::string::npos);
    EXPECT_NE(checked.out.find("Sample Yard"), std::string::npos);

    work_.write("broken.map", {'{', '\r', '\n', '}', '\r', '\n', '}', '\r', '\n'});
    const ToolRun broken = run("map broken.map");
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.err, "vexalkit: broken.map: scope too low (lower than 0)\n");
}

TEST_F(ToolArchiveTest, FailuresGiveOneLineAndANonZeroExit) {
    const ToolRun missing = run("ls missing.pak");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "vexalkit: missing.pak: file no found\n");

    const ToolRun notModel = run("gltf gfx/rings.lmp --pak " + pak());
    EXPECT_EQ(notModel.exitCode, 1);
    EXPECT_NE(notModel.err.find("file is not a Vexal MDL"), std::string::npos);

    work_.write("notes.pak", {'N', 'O', 'P', 'E', 0, 0, 0, 0});
    const ToolRun notPak = run("extract notes.pak");
    EXPECT_EQ(notPak.exitCode, 1);
    EXPECT_EQ(notPak.err, "vexalkit: notes.pak: file is not a Vexal PAK\n");

    const ToolRun usage = run("png");
    EXPECT_EQ(usage.exitCode, 2);
    for (const char* command : {"ls", "info", "extract", "png", "gltf", "map"}) {
        const ToolRun help = run(std::string(command) + " --help");
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_NE(help.out.find("Usage"), std::string::npos) << command;
    }
}

} // namespace
} // namespace vexl::testing
