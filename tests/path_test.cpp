#include "frame/path.hpp"
#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"

#include <gtest/gtest.h>
#include <random>

using vexalkit::HeapString;

namespace {

std::string cleaned(const std::string& path, int32_t flag) {
    HeapString text(path);
    vexlCleanPath(text.get(), flag);
    return std::string(text.text());
}

#if defined(_WIN32)
constexpr bool kPosix = false;
#else
constexpr bool kPosix = true;
#endif

} // namespace

TEST(CleanPath, FollowsTheTableOfRelativePaths) {
    const struct {
        const char* path;
        int32_t flag;
        const char* expected;
    } cases[] = {
        {"maps/start.map", 1, "maps\\start.map"},
        {"maps/start.map", 0, "maps\\start.map\\"},
        {"a/./b/../c", 1, "a\\c"},
        {" gfx / palette.lmp ", 1, "gfx\\palette.lmp"},
        {"my maps/a.map", 1, "my maps\\a.map"},
        {"../x", 1, "..\\x"},
        {"a/../../x", 1, "..\\x"},
        {"a//../b", 1, "a\\b"},
        {"../../x", 1, "..\\..\\x"},
        {"C:\\games\\data", 1, "C:\\games\\data"},
        {"./", 0, ""},
        {"./", 1, ""},
        {"   ", 0, ""},
        {"", 1, ""},
        {"a\\b/c", 1, "a\\b\\c"},
        {"a/b/..", 1, "a"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(cleaned(test.path, test.flag), test.expected) << test.path << " " << test.flag;
    }
}

TEST(CleanPath, KeepsTheRootOfAnAbsolutePathOnPosixOnly) {
    EXPECT_EQ(cleaned("/progs//player.mdl", 1),
              kPosix ? "\\progs\\player.mdl" : "progs\\player.mdl");
    EXPECT_EQ(cleaned("/data/x.lmp", 0), kPosix ? "\\data\\x.lmp\\" : "data\\x.lmp\\");
    EXPECT_EQ(cleaned("/", 1), "");
    EXPECT_EQ(cleaned("//./", 0), "");
}

// Plain names take a one-pass copy; every path, plain or not, must come out
// as the walk over its parts makes it. Short paths over the characters that
// matter (separators, dots, blanks, zero bytes) cover every kind of part.
TEST(CleanPath, TheOnePassCopyAgreesWithTheWalkOverParts) {
    constexpr char kAlphabet[] = {'a', 'b', '.', '/', '\\', ' ', '\0'};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, sizeof(kAlphabet) - 1);
    std::uniform_int_distribution<size_t> length(0, 10);
    for (int round = 0; round < 100000; ++round) {
        std::string path(length(random), 'a');
        for (char& value : path) {
            value = kAlphabet[pick(random)];
        }
        for (const bool noTrailingSeparator : {false, true}) {
            std::string fast(path.size() + 2, '?');
            std::string walked(path.size() + 2, '?');
            fast.resize(vexl::cleanPathInto(path, noTrailingSeparator, fast.data()));
            walked.resize(vexl::cleanPathByParts(path, noTrailingSeparator, walked.data()));
            ASSERT_EQ(fast, walked) << "path \"" << path << "\", flag " << noTrailingSeparator;
        }
    }
}

TEST(CleanPath, EmptiesAZeroDescriptorWithoutAllocating) {
    FBSTRING text{};
    vexlCleanPath(text, 1);
    EXPECT_EQ(text.length, 0);
    std::free(text.data);
}

TEST(ForceType, FollowsTheTableOfNamesAndLists) {
    const struct {
        const char* name;
        const char* list;
        const char* nameAfter;
        const char* listAfter;
    } cases[] = {
        {"progs/player", ".mdl", "progs\\player.mdl", ".mdl"},
        {"gfx/palette.LMP", ".lmp", "gfx\\palette.LMP", ".lmp"},
        {"readme.txt", ".map", "readme.txt.map", ".map"},
        {"pak", ".pak", "pak.pak", ".pak"},
        {"start.ma", ".map", "start.ma", ".map"},
        {"maps.old/start", ".map", "maps.old\\start.map", ".map"},
        {"file", " .PCX .LMP ", "file.pcx", ".pcx .lmp"},
        {"a/b.lmp", ".lmp", "a\\b.lmp", ".lmp"},
        {"x.pak", "", "x.pak", ""},
        {"", ".spr", "", ".spr"},
        {"file.", ".spr", "file.", ".spr"},
        {"effects/spark.SPR", ".spr", "effects\\spark.SPR", ".spr"},
        {"effects/spark.lmp", ".spr", "effects\\spark.lmp.spr", ".spr"},
    };
    for (const auto& test : cases) {
        HeapString name(test.name);
        HeapString list(test.list);
        vexlForceType(name.get(), list.get());
        EXPECT_EQ(name.text(), test.nameAfter) << test.name << " / " << test.list;
        EXPECT_EQ(list.text(), test.listAfter) << test.name << " / " << test.list;
    }
}
