// With --windows-names the tool refuses to write names Windows cannot hold
// or takes for another output's; without it, on Linux, they are written.
#include "tool_run.hpp"
#include "writers/byte_writer.hpp"

#include <algorithm>

#include <gtest/gtest.h>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;

// Entry names that are fine on Linux but not on Windows. (Blanks around a
// part never reach the tool: the archive reader drops them.)
const std::vector<std::string> kWindowsOnlyDangers = {
    "CON",       "aux.txt", "dir/nul/x.bin", "com1.dat", "LPT9",          "stream.txt:hidden",
    "trailing.", "dots...", "what?.txt",     "a|b",      "ok/README.TXT",
};

class ToolWindowsNamesTest : public ToolTest {
  protected:
    void SetUp() override {
        std::vector<writers::PakFile> files = {
            {"ok/Readme.txt", text("first")},
            {"safe/console.txt", text("not a device")},
            {"C:relative.txt", text("drive")},
            {"\\\\server\\share\\x.txt", text("network")},
            {"\\\\?\\C:\\long.txt", text("long path")},
        };
        for (const std::string& name : kWindowsOnlyDangers) {
            files.push_back({name, text(name)});
        }
        work_.write("crafted.pak", writers::buildPak(files));
    }
};

TEST_F(ToolWindowsNamesTest, ExtractRefusesEveryNameWindowsCannotHoldAndWritesTheRest) {
    const ToolRun extracted = run("extract crafted.pak --windows-names -o out");
    EXPECT_EQ(extracted.exitCode, 1);
    for (const std::string& refused : kWindowsOnlyDangers) {
        EXPECT_NE(extracted.err.find("warning: " + refused + ": skipped"), std::string::npos)
            << refused << "\n"
            << extracted.err;
    }
    EXPECT_EQ(filesUnder(work_.path() / "out"),
              (std::vector<std::string>{"ok/Readme.txt", "safe/console.txt"}));
    EXPECT_EQ(readFile(work_.path() / "out/ok/Readme.txt"), text("first"));
    EXPECT_NE(extracted.out.find("extracted 2 of 16 entries"), std::string::npos) << extracted.out;
}

TEST_F(ToolWindowsNamesTest, WithoutTheOptionLinuxWritesWhatOnlyWindowsRefuses) {
    const ToolRun extracted = run("extract crafted.pak -o out");
    EXPECT_EQ(extracted.exitCode, 1); // the drive and network names stay refused
    std::vector<std::string> expected = kWindowsOnlyDangers;
    expected.insert(expected.end(), {"ok/Readme.txt", "safe/console.txt"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesUnder(work_.path() / "out"), expected) << extracted.err;
}

TEST_F(ToolWindowsNamesTest, PackRefusesNamesWindowsCannotTellApartAndDeviceOutputs) {
    work_.write("tree/a.txt", text("lower"));
    work_.write("tree/A.txt", text("upper"));
    work_.write("single/b.txt", text("one"));

    const ToolRun alike = run("pack tree -o out.pak --windows-names");
    EXPECT_NE(alike.exitCode, 0);
    EXPECT_NE(alike.err.find("a.txt: differs only in letter case from A.txt"), std::string::npos)
        << alike.err;
    const ToolRun device = run("pack single -o NUL.pak --windows-names");
    EXPECT_NE(device.exitCode, 0);
    EXPECT_NE(device.err.find("is a device on Windows"), std::string::npos) << device.err;
    EXPECT_EQ(filesUnder(work_.path()), (std::vector<std::string>{"crafted.pak", "single/b.txt",
                                                                  "tree/A.txt", "tree/a.txt"}));

    EXPECT_EQ(run("pack tree -o out.pak").exitCode, 0);
}

} // namespace
} // namespace vexl::testing
