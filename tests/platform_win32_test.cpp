// What only the Windows platform layer does: the presence test as a
// directory search with the name as pattern, and the DLL's start and stop.
#if defined(_WIN32)

#include "platform/platform.hpp"
#include "support/temp_dir.hpp"
#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"
#include "writers/byte_writer.hpp"

#include <clocale>
#include <filesystem>
#include <float.h>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID);

using vexalkit::HeapString;
using vexl::testing::TempDir;
using vexl::testing::WorkingDirectory;

namespace {

struct PresenceTest : ::testing::Test {
    TempDir dir;
    WorkingDirectory inside{dir.path()};
    VEXLPACKINFO_T info{};
    ~PresenceTest() override { vexlPackInfoKill(info); }

    const vexl::writers::Bytes archive = vexl::writers::buildPak({{"a", {1}}});
    void writeWithAttributes(const std::string& name, DWORD attributes) {
        dir.write(name, archive);
        ASSERT_NE(::SetFileAttributesA(name.c_str(), attributes), FALSE);
    }
    int32_t readArchive(const std::string& name) {
        HeapString text(name);
        return vexlPackInfoRead(text.get(), info);
    }
};

} // namespace

TEST_F(PresenceTest, AWildcardMatchingAPlainFilePassesAndThenFailsToOpen) {
    dir.write("base.pak", archive);
    EXPECT_EQ(readArchive("bas?"), 6);
    EXPECT_EQ(readArchive("*"), 6);
    EXPECT_EQ(readArchive("x*"), 4);

    HeapString noArchive("");
    HeapString file("ba*.pak");
    uint8_t* bytes = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(vexlPackFileLoad(noArchive.get(), file.get(), bytes, size), 6);
    EXPECT_EQ(bytes, nullptr);
}

TEST_F(PresenceTest, HiddenAndSystemFilesAreAbsentButReadOnlyOnesCount) {
    writeWithAttributes("hidden.pak", FILE_ATTRIBUTE_HIDDEN);
    writeWithAttributes("system.pak", FILE_ATTRIBUTE_SYSTEM);
    writeWithAttributes("locked.pak", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(readArchive("hidden"), 4);
    EXPECT_EQ(readArchive("system"), 4);
    EXPECT_EQ(readArchive("locked"), 0);
    ::SetFileAttributesA("locked.pak", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(PresenceTest, TheSearchGoesOnPastMatchesThatAreNoPlainFiles) {
    std::filesystem::create_directory(dir.path() / "a1.pak");
    writeWithAttributes("a2.pak", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(readArchive("a?"), 4);
    dir.write("a3.pak", archive);
    EXPECT_EQ(readArchive("a?"), 6);
}

TEST(DllStart, SetsTheUsersLocaleAndTheX87Precision) {
    const std::string usersLocale = std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_CTYPE, "C");
#if defined(__i386__)
    const unsigned int previous = _controlfp(0, 0);
    _controlfp(_PC_53 | _RC_CHOP, _MCW_PC | _MCW_RC);
#endif
    EXPECT_NE(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr), FALSE);
    EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), usersLocale);
#if defined(__i386__)
    EXPECT_EQ(_controlfp(0, 0) & (_MCW_PC | _MCW_RC), static_cast<unsigned>(_PC_64 | _RC_NEAR));
    _controlfp(previous, _MCW_PC | _MCW_RC);
#endif
    std::setlocale(LC_CTYPE, "C");
}

TEST(DllStop, ClosesFilesStillHeldOpen) {
    TempDir dir;
    const std::string path = dir.write("held.bin", {1, 2, 3});
    const int slot = vexl::platform::takeHandle();
    ASSERT_NE(slot, vexl::platform::kNoHandle);
    ASSERT_TRUE(vexl::platform::openForReading(slot, path));
    EXPECT_NE(DllMain(nullptr, DLL_PROCESS_DETACH, nullptr), FALSE);
    uint64_t length = 0;
    EXPECT_FALSE(vexl::platform::fileLength(slot, length));
    // Closed, the file can be removed with the directory.
    EXPECT_TRUE(std::filesystem::remove(path));
    vexl::platform::giveBackHandle(slot);
}

#endif
