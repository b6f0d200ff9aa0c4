// Mistakes on the command line are answered in plain words.
#include "tool_run.hpp"

#include <gtest/gtest.h>

namespace vexl::testing {
namespace {

struct Mistake {
    const char* arguments; // "PAK" stands for the sample archive
    int exitCode;
    const char* message;
};

TEST(ToolUsageTest, MistakesAreAnsweredInPlainWords) {
    const Mistake mistakes[] = {
        {"lsx", 2, "unknown subcommand 'lsx'; the subcommands are: ls, info, extract, png, gltf"},
        {"png gfx/swatch.lmp --pak PAK --row -1", 2, "--row must be 0 or more, not -1 (see"},
        {"png gfx/swatch.lmp --pak PAK --scale 17", 2, "--scale must be between 1 and 16, not 17"},
        {"png gfx/swatch.lmp --pak PAK --transparent 256", 2,
         "--transparent must be between 0 and 255"},
        {"png gfx/swatch.lmp --pak PAK --row 64", 1,
         "colormap.lmp has 64 rows: --row must be between 0 and 63, not 64"},
        {"info .", 1, ". is a folder, not a file"},
        {"ls .", 1, ". is a folder, not a file"},
    };
    TempDir work;
    for (const Mistake& mistake : mistakes) {
        std::string arguments = mistake.arguments;
        const size_t pak = arguments.find("PAK");
        if (pak != std::string::npos) {
            arguments.replace(pak, 3, "'" + sampleArchive().string() + "'");
        }
        const ToolRun run = runTool(arguments, work.path());
        EXPECT_EQ(run.exitCode, mistake.exitCode) << arguments;
        EXPECT_NE(run.err.find(mistake.message), std::string::npos) << arguments << "\n" << run.err;
        EXPECT_EQ(run.err.find("A subcommand is required"), std::string::npos) << run.err;
    }
}

TEST(ToolUsageTest, VersionIsPrinted) {
    TempDir work;
    const ToolRun run = runTool("--version", work.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("vexalkit ", 0), 0U) << run.out;
}

} // namespace
} // namespace vexl::testing
