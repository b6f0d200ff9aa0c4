// Commands give the output tree their inputs to protect and give up all
// their outputs when one fails (output_tree_test.cpp tests the tree itself);
// names reach the terminal escaped and scripts losslessly; extraction takes
// time in proportion to the entries.
#include "tool_run.hpp"
#include "writers/byte_writer.hpp"
#include "writers/image_writer.hpp"

#include <gtest/gtest.h>

#include <chrono>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;
using writers::Bytes;

// `value` as one shell word.
std::string quoted(const std::string& value) {
    std::string word = "'";
    for (const char c : value) {
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return word + "'";
}

using ToolSafetyTest = ToolTest;

TEST_F(ToolSafetyTest, FailedMultiFileWriteLeavesNothing) {
    // The sprite's second picture meets a folder where its file would go.
    fs::create_directories(work_.path() / "shots/flame_1.png");
    const ToolRun blocked = run("png progs/flame.spr --pak " + pak() + " -o shots/flame.png");
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_NE(blocked.err.find("none of the files was written"), std::string::npos) << blocked.err;
    EXPECT_EQ(everythingUnder(work_.path()),
              (std::vector<std::string>{"shots", "shots/flame_1.png"}));
}

TEST_F(ToolSafetyTest, AnInputIsNeverReplaced) {
    work_.write("self.pak", writers::buildPak({{"self.pak", text("would replace the archive")},
                                               {"other.txt", text("fine")}}));
    const Bytes archive = readFile(work_.path() / "self.pak");
    const ToolRun extracted = run("extract self.pak -o .");
    EXPECT_EQ(extracted.exitCode, 1);
    EXPECT_NE(extracted.err.find("self.pak: skipped, self.pak is one of the inputs"),
              std::string::npos)
        << extracted.err;
    EXPECT_EQ(readFile(work_.path() / "self.pak"), archive);
    EXPECT_EQ(readFile(work_.path() / "other.txt"), text("fine"));

    fs::copy_file(sampleArchive(), work_.path() / "sample.pak");
    const ToolRun png = run("png gfx/rings.lmp --pak sample.pak -o sample.pak");
    EXPECT_EQ(png.exitCode, 1);
    EXPECT_EQ(readFile(work_.path() / "sample.pak"), readFile(sampleArchive()));
}

TEST_F(ToolSafetyTest, NamesAreEscapedOnTheTerminalAndExactInJson) {
    const std::string control = "red\x1b[31m\x07.txt";
    const std::string latin = "caf\xe9\x80.txt";
    const std::string utf8 = "na\xc3\xafve.txt";
    work_.write("names.pak",
                writers::buildPak({{control, text("control")},
                                   {latin, text("latin")},
                                   {utf8, text("utf8")},
                                   {"pic\xe9.lmp", writers::pictureBytes(1, 1, {7})}}));
    const ToolRun listed = run("ls names.pak");
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out.find('\x1b'), std::string::npos);
    for (const char* shown : {"red\\x1b[31m\\x07.txt", "caf\\xe9\\x80.txt", "na\xc3\xafve.txt"}) {
        EXPECT_NE(listed.out.find(shown), std::string::npos) << shown << "\n" << listed.out;
    }

    const ToolRun json = run("ls --json names.pak");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_NE(json.out.find("caf\\u00e9\\u0080.txt"), std::string::npos) << json.out;
    const auto entries = nlohmann::json::parse(json.out)["entries"];
    ASSERT_EQ(entries.size(), 4U);
    // Every name given back as printed (UTF-8 of its characters) extracts
    // exactly that entry.
    for (const auto& entry : entries) {
        const std::string given = entry["name"].get<std::string>();
        fs::remove_all(work_.path() / "back");
        fs::create_directories(work_.path() / "back");
        const ToolRun back = run("extract names.pak -o back " + quoted(given));
        EXPECT_EQ(back.exitCode, 0) << given << "\n" << back.err;
        EXPECT_EQ(everythingUnder(work_.path() / "back").size(), 1U) << given;
    }
    EXPECT_EQ(readFile(work_.path() / "back" / "pic\xe9.lmp"), writers::pictureBytes(1, 1, {7}));
    const ToolRun info = run("info --pak names.pak " + quoted("pic\xc3\xa9.lmp"));
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("picture"), std::string::npos) << info.out;
}

TEST_F(ToolSafetyTest, ExtractionTimeGrowsLinearlyWithTheEntries) {
    for (const size_t count : {2000U, 20000U}) {
        std::vector<writers::PakFile> files;
        for (size_t i = 0; i < count; ++i) {
            files.push_back({"d" + std::to_string(i % 50) + "/f" + std::to_string(i), text("x")});
        }
        work_.write(std::to_string(count) + ".pak", writers::buildPak(files));
    }
    const auto secondsToExtract = [this](const std::string& archive) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(run("extract " + archive + " -o out-" + archive).exitCode, 0) << archive;
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const double small = secondsToExtract("2000.pak");
    const double large = secondsToExtract("20000.pak");
    // Ten times the entries: about ten times the time; a directory read per
    // entry would make it a hundred.
    EXPECT_LT(large / small, 30.0) << small << " s against " << large << " s";
    EXPECT_EQ(everythingUnder(work_.path() / "out-20000.pak").size(), 20050U);
}

} // namespace
} // namespace vexl::testing
