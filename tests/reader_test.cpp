#include "frame/cursor.hpp"
#include "frame/name_field.hpp"
#include "frame/path.hpp"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::pair<std::string, uint32_t>>;

vexl::ByteCursor cursorOver(const Bytes& bytes) {
    return {bytes.empty() ? nullptr : bytes.data(), static_cast<uint32_t>(bytes.size())};
}

// Every line the cursor returns, with the position after each, up to and
// including the first read that leaves the position where it was.
Lines allLines(const std::string& text) {
    vexl::ByteCursor cursor(reinterpret_cast<const uint8_t*>(text.data()),
                            static_cast<uint32_t>(text.size()));
    Lines lines;
    for (int guard = 0; guard < 100; ++guard) {
        const uint32_t before = cursor.position();
        std::string line(cursor.readLine());
        lines.emplace_back(std::move(line), cursor.position());
        if (cursor.position() == before) {
            break;
        }
    }
    return lines;
}

} // namespace

TEST(Cursor, ReadsLittleEndianNumbersAndSpans) {
    const Bytes bytes{1, 2, 3, 4, 1, 2, 3, 4};
    vexl::ByteCursor cursor = cursorOver(bytes);
    float number = 0;
    EXPECT_EQ(cursor.readLong(), 0x04030201u);
    cursor.readFloat(number);
    uint32_t bits = 0;
    std::memcpy(&bits, &number, 4);
    EXPECT_EQ(bits, 0x04030201u);
    EXPECT_EQ(cursor.position(), 8u);
    // Spans view the bytes that remain without copying.
    cursor.seek(1);
    const auto first = cursor.readSpan(3);
    EXPECT_EQ(first.data(), bytes.data() + 1);
    EXPECT_EQ(first.size(), 3u);
    const auto rest = cursor.readSpan(16);
    EXPECT_EQ(Bytes(rest.begin(), rest.end()), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(cursor.position(), 8u);
}

TEST(Cursor, ShortReadsTakeWhatRemainsAndZeroTheRest) {
    const Bytes bytes{1, 2, 3, 4, 5};
    vexl::ByteCursor cursor = cursorOver(bytes);
    cursor.seek(3);
    uint32_t value = 0xFFFFFFFF;
    cursor.readLong(value);
    EXPECT_EQ(value, 0x0504u);
    EXPECT_EQ(cursor.position(), 5u);

    cursor.seek(0);
    VEXLVECTOR_T vector{1.0f, 2.0f, 3.0f};
    cursor.readVec3(vector);
    uint32_t words[3];
    std::memcpy(words, &vector, 12);
    EXPECT_EQ(words[0], 0x04030201u);
    EXPECT_EQ(words[1], 0x05u);
    EXPECT_EQ(words[2], 0u);
    EXPECT_EQ(cursor.position(), 5u);

    cursor.seek(3);
    uint8_t block[4] = {9, 9, 9, 9};
    cursor.readBytes(block, 4);
    EXPECT_EQ(Bytes(block, block + 4), (Bytes{4, 5, 0, 0}));
}

TEST(Cursor, ReadsNothingAtTheEndOrFromAnEmptyBuffer) {
    const Bytes two{1, 2};
    for (const Bytes* bytes : {&two, static_cast<const Bytes*>(nullptr)}) {
        vexl::ByteCursor cursor =
            bytes != nullptr ? cursorOver(*bytes) : vexl::ByteCursor(nullptr, 8);
        cursor.seek(cursor.size());
        uint8_t byte = 42;
        uint32_t value = 42;
        float number = 4.2f;
        cursor.readByte(byte);
        cursor.readLong(value);
        cursor.readFloat(number);
        cursor.skip(10);
        EXPECT_TRUE(cursor.readSpan(4).empty());
        std::string_view text = "kept";
        EXPECT_FALSE(cursor.readText(4, text));
        EXPECT_EQ(text, "kept");
        EXPECT_EQ(byte, 42);
        EXPECT_EQ(value, 42u);
        EXPECT_EQ(number, 4.2f);
        EXPECT_EQ(cursor.position(), cursor.size());
    }
}

TEST(Cursor, ReadsTextFieldsUpToTheirFirstZeroAndMovesPastTheField) {
    const Bytes bytes{'a', 'b', 0, 'c', 'd', 'w', 'x', 'y', 'z', 'q'};
    vexl::ByteCursor cursor = cursorOver(bytes);
    EXPECT_EQ(cursor.readText(5), "ab");
    EXPECT_EQ(cursor.position(), 5u);
    EXPECT_EQ(cursor.readText(4), "wxyz");
    EXPECT_EQ(cursor.readText(16), "q");
    EXPECT_EQ(cursor.position(), cursor.size());
}

// Fields are searched for their zero a word at a time: the first zero must be
// found wherever it stands, also next to bytes whose high bit is set or that
// are 1 (the values a word-wise search can mistake for zeros).
TEST(Cursor, FindsTheFirstZeroOfAFieldAtEveryPosition) {
    for (const uint8_t filler : {uint8_t{'a'}, uint8_t{0x01}, uint8_t{0x80}, uint8_t{0xFF}}) {
        for (uint32_t width = 1; width <= 72; ++width) {
            for (uint32_t zeroAt = 0; zeroAt <= width; ++zeroAt) {
                Bytes bytes(width, filler);
                if (zeroAt < width) {
                    bytes[zeroAt] = 0;
                    for (uint32_t after = zeroAt + 1; after < width; after += 2) {
                        bytes[after] = 0x01;
                    }
                }
                vexl::ByteCursor cursor = cursorOver(bytes);
                ASSERT_EQ(cursor.readText(width).size(), zeroAt)
                    << "width " << width << ", filler " << +filler;
                ASSERT_EQ(cursor.position(), width);
            }
        }
    }
}

TEST(Cursor, WholeReadsTakeAllTheirBytesOrNothing) {
    const Bytes bytes{1, 0, 0, 0, 2, 0};
    vexl::ByteCursor cursor = cursorOver(bytes);
    uint32_t value = 0;
    ASSERT_TRUE(cursor.readWholeLong(value));
    EXPECT_EQ(value, 1u);
    EXPECT_FALSE(cursor.readWholeLong(value));
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(cursor.position(), 4u);
    EXPECT_FALSE(cursor.skipWhole(3));
    EXPECT_FALSE(cursor.skipWhole(uint64_t{1} << 62, 8)) << "a product that wraps";
    EXPECT_TRUE(cursor.skipWhole(1, 2));
    EXPECT_EQ(cursor.position(), 6u);
}

TEST(Cursor, SectionsAreGivenOnlyWhenTheyLieWhollyInside) {
    const Bytes bytes{1, 2, 3, 4, 5, 6, 7, 8};
    const vexl::ByteCursor cursor = cursorOver(bytes);
    const auto section = cursor.section(4, 4);
    ASSERT_TRUE(section.has_value());
    vexl::SectionCursor inside = *section;
    EXPECT_EQ(inside.readLong(), 0x08070605u);
    EXPECT_EQ(inside.remaining(), 0u);
    EXPECT_TRUE(cursor.section(8, 0).has_value());
    EXPECT_FALSE(cursor.section(4, 5).has_value());
    EXPECT_FALSE(cursor.section(9, 0).has_value());
    EXPECT_FALSE(cursor.section(0xFFFFFFFFu, 0xFFFFFFFFu).has_value());
}

TEST(Cursor, SplitsLinesAtCrLfAndLoneLfAndReturnsTheLastLineWhole) {
    EXPECT_EQ(allLines("ab\r\ncd"), (Lines{{"ab", 4}, {"cd", 6}, {"", 6}}));
    EXPECT_EQ(allLines("ab\r\nc"), (Lines{{"ab", 4}, {"c", 5}, {"", 5}}));
    EXPECT_EQ(allLines("a\nb\r"), (Lines{{"a", 2}, {"b\r", 4}, {"", 4}}));
    EXPECT_EQ(allLines("\r\n"), (Lines{{"", 2}, {"", 2}}));
    EXPECT_EQ(allLines("x"), (Lines{{"x", 1}, {"", 1}}));
    EXPECT_EQ(allLines(""), (Lines{{"", 0}}));
    EXPECT_EQ(allLines("a\r\n\r\nb"), (Lines{{"a", 3}, {"", 5}, {"b", 6}, {"", 6}}));
    EXPECT_EQ(allLines("a\r\r\n"), (Lines{{"a\r", 4}, {"", 4}}));
    EXPECT_EQ(allLines(std::string("a\0b\n", 4)), (Lines{{std::string("a\0b", 3), 4}, {"", 4}}));
}

// Directory names take a fast road when they are plain but for "/"; every
// name must come out as the walk over its parts cleans it. Random names
// from the bytes that matter, at every length a field holds, for a PAK's
// 56-byte field and for a field too short to be looked at in blocks.
TEST(NameField, CleansEveryNameAsTheWalkOverItsPartsDoes) {
    const char alphabet[] = {'a', 'B', '/', '\\', ' ', '.', '\0', '\t', 'z'};
    std::mt19937 random(17);
    for (const size_t width : {size_t{56}, size_t{15}}) {
        for (int round = 0; round < 20000; ++round) {
            char field[56];
            const size_t length = random() % (width + 1);
            for (size_t i = 0; i < width; ++i) {
                field[i] = i < length ? alphabet[random() % sizeof(alphabet)] : '\0';
            }
            const std::string_view text = vexl::fieldText(field, width);
            std::string expected(text.size() + 2, '\0');
            expected.resize(vexl::cleanPathByParts(text, true, expected.data()));

            char name[64];
            std::memset(name, 0x5A, sizeof(name));
            vexl::cleanNameFieldInto(field, width, name, sizeof(name));
            ASSERT_EQ(std::string(name, std::strlen(name)), expected)
                << "field \"" << std::string(text) << "\"";
            for (size_t i = expected.size(); i < sizeof(name); ++i) {
                ASSERT_EQ(name[i], '\0') << "the rest of the name is zero";
            }
        }
    }
}

TEST(NameField, CutsANameToTheRoomThereIs) {
    const char field[16] = {'a', '/', 'b', 'c', 'd', 'e', 'f', 'g'};
    char name[5];
    vexl::cleanNameFieldInto(field, sizeof(field), name, sizeof(name));
    EXPECT_EQ(std::string(name), "a\\bc");
}
