// The tool's file-name rules: what POSIX and Windows each refuse, and which
// names Windows takes for the same file.
#include "output/entry_names.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexl::cli {
namespace {

TEST(ToolNameRulesTest, WindowsRulesRefuseWhatWindowsCannotHoldAndSayWhy) {
    const struct {
        const char* reason; // a part of the reason given
        std::vector<std::string> names;
    } refused[] = {
        {"device",
         {"CON", "con.txt", "Nul.tar.gz", "PRN.png", "aux", "COM1", "com9.bin", "LPT1", "lpt9.x",
          "NUL .txt", "CONOUT$", "COM\xc2\xb9.dat", "maps/con/start.bsp"}},
        {"drive", {"C:relative.txt", "c:/x"}},
        {"alternate data stream", {"file.txt:Zone.Identifier"}},
        {"network or device path",
         {"\\\\server\\share\\x", "\\\\?\\C:\\x", "\\/mixed", "//server/share"}},
        {"separates folders", {"dir\\file"}},
        {"forbids", {"a<b", "a>b", "a\"b", "a|b", "what?.txt", "a*b"}},
        {"control character", {"tab\tname", "bell\x07"}},
        {"dot or space", {"trailing.", "trailing ", "dir./x", "dir /x", "..."}},
        {"leaves the output directory", {"../up"}},
    };
    for (const auto& group : refused) {
        for (const std::string& name : group.names) {
            const auto reason = unsafeReason(name, NameRules::Windows);
            ASSERT_TRUE(reason.has_value()) << escapeForTerminal(name);
            EXPECT_NE(reason->find(group.reason), std::string::npos)
                << escapeForTerminal(name) << ": " << *reason;
        }
    }
}

TEST(ToolNameRulesTest, WindowsRulesKeepNamesThatOnlyResembleDevices) {
    for (const char* name :
         {"console.txt", "COM10", "LPT", "nul_x.txt", "conx", "aux-1.png", "x.con", "maps/e1m1.bsp",
          "name with spaces.txt", ".hidden", "caf\xc3\xa9.txt", "a.b.c", "gfx/palette.lmp"}) {
        EXPECT_EQ(unsafeReason(name, NameRules::Windows), std::nullopt) << name;
    }
}

TEST(ToolNameRulesTest, PosixRulesKeepWhatOnlyWindowsRefuses) {
    for (const char* name : {"CON", "com1.txt", "file.txt:stream", "trailing.", "trailing ",
                             "dir\\file", "a*b", "what?.txt", "tab\tname"}) {
        EXPECT_EQ(unsafeReason(name, NameRules::Posix), std::nullopt) << escapeForTerminal(name);
        EXPECT_NE(unsafeReason(name, NameRules::Windows), std::nullopt) << escapeForTerminal(name);
    }
    for (const char* name : {"", "/abs", "C:drive", "a//b", "./a", "a/../../b"}) {
        EXPECT_NE(unsafeReason(name, NameRules::Posix), std::nullopt) << name;
        EXPECT_NE(unsafeReason(name, NameRules::Windows), std::nullopt) << name;
    }
}

TEST(ToolNameRulesTest, WindowsTakesNamesDifferingInAsciiCaseForTheSameFile) {
    EXPECT_EQ(sameFileKey("Gfx/Palette.LMP", NameRules::Windows), "gfx/palette.lmp");
    EXPECT_EQ(sameFileKey("Gfx/Palette.LMP", NameRules::Posix), "Gfx/Palette.LMP");
    // Only ASCII letters are folded: "É" (UTF-8) stays as it is.
    EXPECT_EQ(sameFileKey("\xc3\x89t\xc3\xa9.TXT", NameRules::Windows), "\xc3\x89t\xc3\xa9.txt");
}

} // namespace
} // namespace vexl::cli
