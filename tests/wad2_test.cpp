#include "vexalkit.hpp"
#include "writers/byte_writer.hpp"
#include "writers/wad_writer.hpp"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

using vexl::writers::Bytes;
using vexl::writers::ByteWriter;
using vexl::writers::wadEntry;
using vexl::writers::wadHeader;

namespace {

struct WadTest : ::testing::Test {
    VEXLWADINFO_T info{};
    ~WadTest() override { VEXLWADKILL(info); }

    int32_t read(const Bytes& bytes) { return read(bytes, static_cast<uint32_t>(bytes.size())); }
    int32_t read(const Bytes& bytes, uint32_t size) {
        const uint8_t* data = bytes.data();
        return VEXLWADGETINFO(data, size, info);
    }
};

// Header, then two entries right after it: 76 bytes, the directory ending
// exactly at the end. Nonzero padding must not reach the record.
Bytes twoEntryArchive() {
    ByteWriter archive;
    wadHeader(archive, 2, 12);
    wadEntry(archive, "wall", 100, 200, 300, 0x44, 1, 0xFF);
    wadEntry(archive, "floor", 400, 500, 600, 0x45, 0, 0xFF);
    return archive.take();
}

Bytes headerOnly(uint32_t entryCount, uint32_t dirOffset, size_t tail) {
    ByteWriter archive;
    wadHeader(archive, entryCount, dirOffset);
    return archive.fill(tail).take();
}

// The name as text, and that every byte of the field after it is zero.
std::string nameOf(const VEXLWADENTRY_T& entry) {
    const auto length =
        static_cast<size_t>(std::find(entry.name, std::end(entry.name), '\0') - entry.name);
    for (size_t i = length; i < sizeof(entry.name); ++i) {
        EXPECT_EQ(entry.name[i], 0) << "name byte " << i;
    }
    return {entry.name, length};
}

} // namespace

TEST_F(WadTest, ReadsTheDirectoryInOrder) {
    ASSERT_EQ(read(twoEntryArchive()), 0);
    EXPECT_STREQ(info.magic, "WAD2");
    EXPECT_EQ(info.entryCount, 2u);
    EXPECT_EQ(info.dirOffset, 12u);
    EXPECT_EQ(info.dirLength, 64u);
    EXPECT_EQ(nameOf(info.entries[0]), "wall");
    EXPECT_EQ(nameOf(info.entries[1]), "floor");
}

TEST_F(WadTest, RejectsAWrongMagicOrADirectoryOutsideTheBuffer) {
    EXPECT_EQ(read({'P', 'A', 'C', 'K', 1, 0, 0, 0, 12, 0, 0, 0}), 12);
    EXPECT_EQ(read({'w', 'a', 'd', '2', 1, 0, 0, 0, 12, 0, 0, 0}), 12);
    EXPECT_EQ(read({'W', 'A', 'D'}), 12);
    EXPECT_EQ(read(twoEntryArchive(), 0), 12);
    const uint8_t* none = nullptr;
    EXPECT_EQ(VEXLWADGETINFO(none, 76, info), 12);

    EXPECT_EQ(read(twoEntryArchive(), 75), 13);
    EXPECT_EQ(read(headerOnly(0, 12, 64)), 13) << "no entries";
    // Both sums would land inside the buffer if taken modulo 2^32.
    EXPECT_EQ(read(headerOnly(1, 0xFFFFFFF0u, 32)), 13);
    EXPECT_EQ(read(headerOnly(0x08000000u, 12, 32)), 13);
    EXPECT_EQ(info.entries, nullptr);
}

TEST_F(WadTest, LeavesARecordUnchangedOnFailureAndKillEmptiesIt) {
    ASSERT_EQ(read(twoEntryArchive()), 0);
    const VEXLWADINFO_T before = info;
    EXPECT_EQ(read({'X', 'X', 'X', 'X'}), 12);
    EXPECT_EQ(read(twoEntryArchive(), 75), 13);
    EXPECT_STREQ(info.magic, before.magic);
    EXPECT_EQ(info.dirOffset, before.dirOffset);
    EXPECT_EQ(info.dirLength, before.dirLength);
    EXPECT_EQ(info.entryCount, before.entryCount);
    EXPECT_EQ(info.entries, before.entries);
    EXPECT_EQ(nameOf(info.entries[1]), "floor");

    VEXLWADKILL(info);
    VEXLWADKILL(info);
    EXPECT_EQ(info.entries, nullptr);
    EXPECT_EQ(info.entryCount + info.dirOffset + info.dirLength, 0u);
    EXPECT_EQ(std::memcmp(info.magic, "\0\0\0\0\0", 5), 0);
}

// Entries are decoded several at a time: every entry of a long directory,
// at every place in such a group and in the rest after the last one, comes
// out whole, its name cut at the first zero and every other byte zero.
TEST_F(WadTest, DecodesEveryEntryOfALongDirectoryExactly) {
    const std::string names[] = {std::string("ab\0junk", 7),
                                 "sixteen_chars_ok",
                                 "abcdefghijklmnopqrst",
                                 "",
                                 std::string("\0\0\0x", 4),
                                 "door",
                                 std::string("k\0\0\0\0\x01", 6),
                                 "water_fall",
                                 std::string("abcdefghijklmno\0", 16),
                                 "last"};
    constexpr uint32_t kCount = std::size(names);
    ByteWriter archive;
    wadHeader(archive, kCount, 12);
    for (uint32_t i = 0; i < kCount; ++i) {
        wadEntry(archive, names[i], 0x01020304u * (i + 1), 1000 + i, 0xFFFFFFF0u + i,
                 static_cast<uint8_t>(0x40 + i), static_cast<uint8_t>(i), 0xFF);
    }
    ASSERT_EQ(read(archive.take()), 0);
    for (uint32_t i = 0; i < kCount; ++i) {
        VEXLWADENTRY_T expected;
        std::memset(&expected, 0, sizeof(expected));
        const std::string name = names[i].substr(0, names[i].find('\0')).substr(0, 16);
        std::memcpy(expected.name, name.data(), name.size());
        expected.filePos = 0x01020304u * (i + 1);
        expected.diskLen = 1000 + i;
        expected.fileLen = 0xFFFFFFF0u + i;
        expected.entryType = static_cast<uint8_t>(0x40 + i);
        expected.compression = static_cast<uint8_t>(i);
        EXPECT_EQ(std::memcmp(&info.entries[i], &expected, sizeof(expected)), 0) << "entry " << i;
    }
}

TEST_F(WadTest, ReadingOverAHeldDirectoryReplacesItWithoutFreeingTheOldEntries) {
    ASSERT_EQ(read(twoEntryArchive()), 0);
    VEXLWADENTRY_T* const first = info.entries;
    ASSERT_EQ(read(vexl::writers::buildWad({{"one", {1}}})), 0);
    EXPECT_NE(info.entries, first);
    EXPECT_EQ(info.entryCount, 1u);
    EXPECT_STREQ(info.entries[0].name, "one");
    // The old array is still the caller's: freeing it here must not be a
    // double free (the sanitizer build would report one).
    EXPECT_STREQ(first[1].name, "floor");
    std::free(first);
}
