// extract writes entries byte for byte and never outside its directory.
#include "tool_run.hpp"
#include "writers/byte_writer.hpp"
#include "writers/wad_writer.hpp"

#include <gtest/gtest.h>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;
using writers::Bytes;

class ToolExtractTest : public ToolTest {
  protected:
    void SetUp() override {
        fs::create_directories(work_.path() / "inner");
        work_.write("crafted.pak", writers::buildPak({
                                       {"ok/a.txt", text("first")},
                                       {"../evil.txt", text("parent")},
                                       {"/abs.txt", text("absolute")},
                                       {"C:/drive.txt", text("drive")},
                                       {"a/../../up.txt", text("up")},
                                       {"deep/dir/b.bin", Bytes{0, 1, 2, 255}},
                                       {"x/./y.bin", text("dot")},
                                   }));
    }
};

TEST_F(ToolExtractTest, RefusesEntriesThatWouldLeaveTheDirectory) {
    const ToolRun extracted = run("extract crafted.pak -o inner/out");
    EXPECT_EQ(extracted.exitCode, 1);
    for (const char* refused : {"../evil.txt", "/abs.txt", "C:/drive.txt", "../up.txt"}) {
        EXPECT_NE(extracted.err.find(std::string("warning: ") + refused + ": skipped"),
                  std::string::npos)
            << refused << "\n"
            << extracted.err;
    }
    EXPECT_EQ(filesUnder(work_.path()),
              (std::vector<std::string>{"crafted.pak", "inner/out/deep/dir/b.bin",
                                        "inner/out/ok/a.txt", "inner/out/x/y.bin"}));
    EXPECT_EQ(readFile(work_.path() / "inner/out/ok/a.txt"), text("first"));
    EXPECT_EQ(readFile(work_.path() / "inner/out/deep/dir/b.bin"), (Bytes{0, 1, 2, 255}));
    EXPECT_NE(extracted.out.find("extracted 3 of 7 entries"), std::string::npos);
}

TEST_F(ToolExtractTest, NamedEntriesAndWildcardsChooseWhatIsWritten) {
    const ToolRun extracted = run("extract crafted.pak 'deep/*' ok/a.txt -o out");
    EXPECT_EQ(extracted.exitCode, 0) << extracted.err;
    EXPECT_EQ(filesUnder(work_.path() / "out"),
              (std::vector<std::string>{"deep/dir/b.bin", "ok/a.txt"}));

    const ToolRun unmatched = run("extract crafted.pak 'nothing*' -o none");
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_NE(unmatched.err.find("nothing*: no entry matches"), std::string::npos);
}

TEST_F(ToolExtractTest, SampleEntriesComeOutByteExact) {
    const ToolRun extracted = run("extract " + pak() + " -o all");
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    const Bytes archive = readFile(sampleArchive());
    const ToolRun listed = run("ls --json " + pak());
    const nlohmann::json listing = nlohmann::json::parse(listed.out);
    for (const auto& entry : listing["entries"]) {
        const auto position = entry["position"].get<size_t>();
        const Bytes stored(archive.begin() + static_cast<std::ptrdiff_t>(position),
                           archive.begin() + static_cast<std::ptrdiff_t>(
                                                 position + entry["length"].get<size_t>()));
        EXPECT_EQ(readFile(work_.path() / "all" / entry["name"].get<std::string>()), stored)
            << entry["name"];
    }
}

TEST_F(ToolExtractTest, Wad2EntriesStayInsideTheArchiveAndTheDirectory) {
    // Data at 12..17; the directory of three entries follows.
    writers::ByteWriter wad;
    writers::wadHeader(wad, 3, 18);
    wad.text("inside");
    writers::wadEntry(wad, "good", 12, 6, 6);
    writers::wadEntry(wad, "../escape", 12, 6, 6);
    writers::wadEntry(wad, "beyond", 12, 4000, 4000);
    work_.write("crafted.wad", wad.take());

    const ToolRun extracted = run("extract crafted.wad -o wad");
    EXPECT_EQ(extracted.exitCode, 1);
    EXPECT_NE(extracted.err.find("../escape: skipped"), std::string::npos) << extracted.err;
    EXPECT_NE(extracted.err.find("beyond: skipped, its data lie outside"), std::string::npos);
    EXPECT_EQ(filesUnder(work_.path() / "wad"), (std::vector<std::string>{"good"}));
    EXPECT_EQ(readFile(work_.path() / "wad" / "good"), text("inside"));
    EXPECT_FALSE(fs::exists(work_.path() / "escape"));
}

} // namespace
} // namespace vexl::testing
