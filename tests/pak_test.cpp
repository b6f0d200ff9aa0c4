#include "platform/platform.hpp"
#include "support/empty_records.hpp"
#include "support/temp_dir.hpp"
#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"
#include "writers/byte_writer.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

using vexalkit::HeapString;
using vexl::testing::TempDir;
using vexl::writers::Bytes;
using vexl::writers::ByteWriter;

namespace {

struct PakReadTest : ::testing::Test {
    TempDir dir;
    VEXLPACKINFO_T info{};
    ~PakReadTest() override { vexlPackInfoKill(info); }

    int32_t read(const std::string& name) {
        HeapString archive(name);
        return vexlPackInfoRead(archive.get(), info);
    }
    int32_t readBytes(const Bytes& bytes) { return read(dir.write("test.pak", bytes)); }
};

// A header followed by `dataBytes` bytes of data and then the given entries.
Bytes archiveWith(const std::vector<std::tuple<std::string, uint32_t, uint32_t>>& entries,
                  uint32_t dataBytes) {
    ByteWriter archive;
    archive.text("PACK").u32(12 + dataBytes).u32(static_cast<uint32_t>(entries.size()) * 64);
    archive.fill(dataBytes, 0xAB);
    for (const auto& [name, position, length] : entries) {
        archive.field(name, 56).u32(position).u32(length);
    }
    return archive.take();
}

} // namespace

TEST_F(PakReadTest, ReadsEveryEntryWithCleanedNamesAndValidity) {
    const Bytes bytes = archiveWith({{"models/crate.mdl", 12, 4},
                                     {"zero/length", 12, 0},
                                     {"past/end", 14, 1000},
                                     {"in/header", 8, 2},
                                     {"last/one", 15, 1}},
                                    4);
    ASSERT_EQ(readBytes(bytes), 0);
    EXPECT_STREQ(info.magic, "PACK");
    EXPECT_EQ(info.dirOffset, 16u);
    EXPECT_EQ(info.dirLength, 5u * 64);
    ASSERT_EQ(info.entryCount, 5u);
    EXPECT_STREQ(info.entries[0].name, "models\\crate.mdl");
    EXPECT_EQ(info.entries[0].filePos, 12u);
    EXPECT_EQ(info.entries[0].fileLen, 4u);
    const uint8_t validity[] = {1, 0, 0, 0, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(info.entries[i].valid, validity[i]) << "entry " << i;
    }
}

TEST_F(PakReadTest, CleansOnlyTheNameBeforeItsZeroByte) {
    ByteWriter archive;
    archive.text("PACK").u32(12).u32(64);
    archive.text("maps/e1m1.bsp").u8(0).text("/../../junk").fill(56 - 14 - 11, 'j');
    archive.u32(12).u32(64);
    ASSERT_EQ(readBytes(archive.take()), 0);
    EXPECT_STREQ(info.entries[0].name, "maps\\e1m1.bsp");
    EXPECT_EQ(info.entries[0].valid, 1) << "the directory itself is the entry's data";
}

TEST_F(PakReadTest, AcceptsADirectoryEndingExactlyAtTheEndOfTheFile) {
    Bytes bytes = archiveWith({{"a", 12, 1}}, 1);
    EXPECT_EQ(readBytes(bytes), 0);
    bytes.pop_back();
    EXPECT_EQ(readBytes(bytes), 11);
    vexl::testing::expectEmpty(info);
}

TEST_F(PakReadTest, RefusesCorruptedDirectories) {
    const struct {
        uint32_t offset;
        uint32_t length;
    } cases[] = {{12, 0}, {12, 100}, {11, 64}, {0xFFFFFFF0u, 64}, {12, 0xFFFFFFC0u}};
    for (const auto& test : cases) {
        ByteWriter archive;
        archive.text("PACK").u32(test.offset).u32(test.length).fill(64);
        EXPECT_EQ(readBytes(archive.take()), 11) << test.offset << " " << test.length;
        vexl::testing::expectEmpty(info);
    }
}

TEST_F(PakReadTest, TellsShortAndForeignFilesApart) {
    EXPECT_EQ(readBytes({'P', 'A', 'C'}), 10);
    EXPECT_EQ(readBytes({'P', 'A', 'C', 'K', 12, 0}), 11);
    EXPECT_EQ(readBytes({'p', 'a', 'c', 'k', 12, 0, 0, 0, 64, 0, 0, 0}), 10);
    EXPECT_EQ(readBytes({'P', 'A', 0, 'K', 12, 0, 0, 0, 64, 0, 0, 0}), 10);
    EXPECT_EQ(readBytes({}), 5);
    vexl::testing::expectEmpty(info);
}

TEST_F(PakReadTest, ReportsMissingNamesAndDirectories) {
    EXPECT_EQ(read(""), 3);
    EXPECT_EQ(read("  / "), 3);
    EXPECT_EQ(read((dir.path() / "absent").string()), 4);
    std::filesystem::create_directory(dir.path() / "folder.pak");
    EXPECT_EQ(read((dir.path() / "folder.pak").string()), 4);
}

TEST_F(PakReadTest, ForcesTheExtensionAndRewritesTheName) {
    dir.write("base.pak", archiveWith({{"a", 12, 1}}, 1));
    vexl::testing::WorkingDirectory inside(dir.path());
    HeapString archive("./base");
    EXPECT_EQ(vexlPackInfoRead(archive.get(), info), 0);
    EXPECT_EQ(archive.text(), "base.pak");
    dir.write("UPPER.PAK", archiveWith({{"a", 12, 1}}, 1));
    HeapString upper("UPPER.PAK");
    EXPECT_EQ(vexlPackInfoRead(upper.get(), info), 0);
    EXPECT_EQ(upper.text(), "UPPER.PAK");
}

TEST_F(PakReadTest, ReadsAReadOnlyArchive) {
    const std::string path = dir.write("locked.pak", archiveWith({{"a", 12, 1}}, 1));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::replace);
    EXPECT_EQ(read(path), 0);
    EXPECT_EQ(info.entryCount, 1u);
}

TEST_F(PakReadTest, ASecondReadFreesTheFirstDirectoryEvenWhenItFails) {
    ASSERT_EQ(readBytes(archiveWith({{"a", 12, 1}}, 1)), 0);
    EXPECT_EQ(read((dir.path() / "absent.pak").string()), 4);
    vexl::testing::expectEmpty(info);
    EXPECT_STREQ(info.magic, "PACK");
    vexlPackInfoKill(info);
    vexlPackInfoKill(info);
    vexl::testing::expectEmpty(info);
}

TEST_F(PakReadTest, ReportsAnExhaustedHandlePoolAndLeavesTheNameAlone) {
    std::vector<int> taken;
    for (int slot = vexl::platform::takeHandle(); slot != vexl::platform::kNoHandle;
         slot = vexl::platform::takeHandle()) {
        taken.push_back(slot);
    }
    EXPECT_EQ(taken.size(), static_cast<size_t>(vexl::platform::kHandlePoolSize));
    HeapString archive("some/archive");
    EXPECT_EQ(vexlPackInfoRead(archive.get(), info), 2);
    EXPECT_EQ(archive.text(), "some/archive");
    for (int slot : taken) {
        vexl::platform::giveBackHandle(slot);
    }
    EXPECT_EQ(readBytes(archiveWith({{"a", 12, 1}}, 1)), 0);
}
