// pack makes archives that ls and extract give back byte for byte, the same
// bytes every time.
#include "tool_run.hpp"

#include <gtest/gtest.h>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;

using ToolPackTest = ToolTest;

TEST_F(ToolPackTest, ExtractGivesBackEveryFileAndPackingTwiceGivesTheSameBytes) {
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"b.txt", text("second")},
        {"a/deep/z.bin", {0, 255, 0, 7}},
        {"a/empty", {}},
        {"A.TXT", text("upper case sorts first")},
    };
    for (const auto& [name, bytes] : files) {
        work_.write("tree/" + name, bytes);
    }
    ASSERT_EQ(run("pack tree -o one.pak").exitCode, 0);
    const ToolRun second = run("pack tree -o two.pak");
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_NE(second.out.find("packed 4 files into two.pak"), std::string::npos) << second.out;
    EXPECT_EQ(readFile(work_.path() / "one.pak"), readFile(work_.path() / "two.pak"));

    const nlohmann::json listing = nlohmann::json::parse(run("ls --json one.pak").out);
    std::vector<std::string> names;
    for (const auto& entry : listing["entries"]) {
        names.push_back(entry["name"].get<std::string>());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A.TXT", "a/deep/z.bin", "a/empty", "b.txt"}));
    EXPECT_EQ(listing["entries"][0]["position"], 12);

    const ToolRun extracted = run("extract one.pak -o back");
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(readFile(work_.path() / "back" / name), bytes) << name;
    }
}

TEST_F(ToolPackTest, NamesTheArchiveCannotHoldAreRefusedByName) {
    const std::string longest(55, 'n');
    work_.write("fits/" + longest, text("ok"));
    EXPECT_EQ(run("pack fits -o fits.pak").exitCode, 0);

    work_.write("long/" + longest + "x", text("too long"));
    const ToolRun tooLong = run("pack long -o long.pak");
    EXPECT_EQ(tooLong.exitCode, 1);
    EXPECT_NE(tooLong.err.find(longest + "x: cannot be packed, name of 56 bytes; at most 55"),
              std::string::npos)
        << tooLong.err;
    EXPECT_FALSE(fs::exists(work_.path() / "long.pak"));

    work_.write("blank/ padded", text("trimmed when read"));
    EXPECT_NE(run("pack blank -o blank.pak").err.find("would read it back as padded"),
              std::string::npos);
}

TEST_F(ToolPackTest, WarnsPastTheEntriesTheGameReads) {
    for (int i = 0; i < 2049; ++i) {
        work_.write("many/" + std::to_string(i), text("x"));
    }
    const ToolRun packed = run("pack many -o many.pak");
    EXPECT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_NE(packed.err.find("2049 entries; the game reads only the first 2048"),
              std::string::npos)
        << packed.err;
}

} // namespace
} // namespace vexl::testing
