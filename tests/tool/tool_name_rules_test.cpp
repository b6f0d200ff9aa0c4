// The tool's file-name rules: what POSIX and Windows each refuse, and which
// names Windows takes for the same file.
#include "cli/entry_names.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexl::cli {
namespace {

struct Refused {
    std::string name;
    std::string reasonHolds;
};

TEST(ToolNameRulesTest, WindowsRulesRefuseWhatWindowsCannotHoldAndSayWhy) {
    const std::vector<Refused> refused = {
        {"CON", "device"},
        {"con.txt", "device"},
        {"Nul.tar.gz", "device"},
        {"PRN.png", "device"},
        {"aux", "device"},
        {"COM1", "device"},
        {"com9.bin", "device"},
        {"LPT1", "device"},
        {"lpt9.x", "device"},
        {"NUL .txt", "device"},
        {"CONOUT$", "device"},
        {"COM\xc2\xb9.dat", "device"},
        {"maps/con/start.bsp", "device"},
        {"C:relative.txt", "drive"},
        {"c:/x", "drive"},
        {"file.txt:Zone.Identifier", "alternate data stream"},
        {"\\\\server\\share\\x", "network or device path"},
        {"\\\\?\\C:\\x", "network or device path"},
        {"\\/mixed", "network or device path"},
        {"//server/share", "network or device path"},
        {"dir\\file", "separates folders"},
        {"a<b", "forbids"},
        {"a>b", "forbids"},
        {"a\"b", "forbids"},
        {"a|b", "forbids"},
        {"what?.txt", "forbids"},
        {"a*b", "forbids"},
        {"tab\tname", "control character"},
        {"bell\x07", "control character"},
        {"trailing.", "dot or space"},
        {"trailing ", "dot or space"},
        {"dir./x", "dot or space"},
        {"dir /x", "dot or space"},
        {"...", "dot or space"},
        {"../up", "leaves the output directory"},
    };
    for (const Refused& entry : refused) {
        const auto reason = unsafeReason(entry.name, NameRules::Windows);
        ASSERT_TRUE(reason.has_value()) << escapeForTerminal(entry.name);
        EXPECT_NE(reason->find(entry.reasonHolds), std::string::npos)
            << escapeForTerminal(entry.name) << ": " << *reason;
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
