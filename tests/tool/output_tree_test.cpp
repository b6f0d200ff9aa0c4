// The output tree on its own, as every command writes through it: no name
// leaves the root whatever the caller checked, no link below it is followed,
// no input or other output is replaced, and what is not committed leaves
// nothing behind.
#include "host/files.hpp"
#include "output/output_tree.hpp"
#include "tool_run.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

namespace vexl::testing {
namespace {

namespace fs = std::filesystem;
using cli::NameRules;
using cli::OutputTree;

// Why the tree refused to stage `parts`; empty when it staged them.
std::string refusal(OutputTree& tree, const std::vector<std::string>& parts) {
    try {
        tree.stage(parts, text("x"));
    } catch (const cli::RefusedOutput& refused) {
        return refused.what();
    }
    return "";
}

class OutputTreeTest : public ::testing::Test {
  protected:
    std::string at(const std::string& relative) const { return (dir_.path() / relative).string(); }

    TempDir dir_;
};

TEST_F(OutputTreeTest, NoPartLeavesTheRootUnderAnyRules) {
    const struct {
        std::vector<std::string> parts;
        std::string posix;
        std::string windows = {}; // when it differs
    } refused[] = {
        {{"..", "escaped.txt"}, "path leaves the output directory"},
        {{}, "empty name"},
        {{""}, "empty name"},
        {{"a", "", "b.txt"}, "empty path part"},
        {{"."}, "empty path part"},
        {{at("escaped.txt")}, "absolute path"},
        {{"C:escaped.txt"}, "path with a drive"},
        {{"a", "c:x.txt"},
         "path with a drive",
         "\":\" names a drive or an alternate data stream on Windows"},
        {{"\\escaped.txt"}, "absolute path on Windows", "\"\\\" separates folders on Windows"},
        {{"a/../../escaped.txt"},
         "\"/\" inside one part of the name",
         "path leaves the output directory"},
    };
    for (const NameRules rules : {NameRules::Posix, NameRules::Windows}) {
        OutputTree tree(at("out/inner"), rules);
        for (const auto& name : refused) {
            const bool posix = rules == NameRules::Posix || name.windows.empty();
            EXPECT_EQ(refusal(tree, name.parts),
                      tree.shown(name.parts) + ": " + (posix ? name.posix : name.windows));
        }
        tree.commit();
        EXPECT_EQ(everythingUnder(dir_.path()), std::vector<std::string>{});
    }
}

TEST_F(OutputTreeTest, ThePosixHostOpensAndWritesNoNameButOnePart) {
    fs::create_directories(dir_.path() / "in");
    cli::host::Folder folder;
    ASSERT_EQ(cli::host::Folder::open(at("in"), folder), 0);
    for (const std::string& name :
         std::vector<std::string>{"", ".", "..", "../escaped", at("escaped")}) {
        cli::host::Folder child;
        EXPECT_EQ(folder.openChild(name, child), EINVAL) << name;
        EXPECT_EQ(folder.makeChild(name), EINVAL) << name;
        EXPECT_EQ(folder.writeNewFile(name, text("x")), EINVAL) << name;
    }
    EXPECT_EQ(everythingUnder(dir_.path()), std::vector<std::string>{"in"});
}

TEST_F(OutputTreeTest, OnlyAFreeNameOrAPlainFileThatIsNoInputIsWritten) {
    dir_.write("outside/b.txt", text("kept"));
    dir_.write("out/in.pak", text("input"));
    dir_.write("out/old.txt", text("old"));
    fs::create_directory_symlink("../outside", dir_.path() / "out/sub");
    fs::create_symlink("../outside/b.txt", dir_.path() / "out/b.txt");
    // An input is known as the file it is, whatever its name.
    fs::create_hard_link(dir_.path() / "out/in.pak", dir_.path() / "same.pak");
    OutputTree tree(at("out"), NameRules::Windows);
    tree.protect(at("same.pak"));
    const struct {
        std::vector<std::string> parts;
        std::string reason; // empty when staged
    } outputs[] = {
        {{"sub", "a.txt"}, "sub is a symbolic link; it is not followed"},
        {{"b.txt"}, "b.txt is a symbolic link; it is not followed"},
        {{"in.pak"}, "in.pak is one of the inputs; it is not replaced"},
        {{"old.txt"}, ""},
        {{"a", "b.txt"}, ""},
        {{"a", "b.txt"}, "a/b.txt: another output has the same name"},
        {{"A", "B.TXT"},
         "A/B.TXT: another output has the same name but for letter case, a/b.txt, "
         "which Windows takes for the same file"},
        {{"a", "b.txt", "c"}, "a/b.txt/c: another output is a file of the name a/b.txt"},
        {{"a"}, "a: another output needs a folder of that name"},
    };
    for (const auto& output : outputs) {
        EXPECT_EQ(refusal(tree, output.parts),
                  output.reason.empty() ? "" : at("out") + "/" + output.reason);
    }
    tree.commit();
    std::set<std::string> written; // the root's own entries: no temporary is left
    for (const auto& entry : fs::directory_iterator(dir_.path() / "out")) {
        written.insert(entry.path().filename().string());
    }
    EXPECT_EQ(written, (std::set<std::string>{"a", "b.txt", "in.pak", "old.txt", "sub"}));
    EXPECT_EQ(readFile(dir_.path() / "out/a/b.txt"), text("x"));
    EXPECT_EQ(readFile(dir_.path() / "out/old.txt"), text("x"));
    EXPECT_EQ(readFile(dir_.path() / "out/in.pak"), text("input"));
    EXPECT_EQ(everythingUnder(dir_.path() / "outside"), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(readFile(dir_.path() / "outside/b.txt"), text("kept"));
}

TEST_F(OutputTreeTest, WhatIsNotCommittedLeavesNothing) {
    {
        OutputTree dropped(at("made/deeper"), NameRules::Posix);
        dropped.stage({"sub", "a.txt"}, text("a"));
    }
    OutputTree discarded(at("made/deeper"), NameRules::Posix);
    discarded.stage({"sub", "a.txt"}, text("a"));
    discarded.discard();
    EXPECT_EQ(everythingUnder(dir_.path()), std::vector<std::string>{});

    // A folder put in the first output's place fails the commit: the other
    // staged file and the folder made for it go too.
    fs::create_directories(dir_.path() / "out");
    OutputTree failed(at("out"), NameRules::Posix);
    failed.stage({"b.txt"}, text("b"));
    failed.stage({"sub", "a.txt"}, text("a"));
    fs::create_directory(dir_.path() / "out/b.txt");
    EXPECT_THROW(failed.commit(), cli::Failure);
    EXPECT_EQ(everythingUnder(dir_.path()), (std::vector<std::string>{"out", "out/b.txt"}));
}

} // namespace
} // namespace vexl::testing
