#include "frame/reader.hpp"
#include "support/strings.hpp"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using vexl::testing::OwnedString;

namespace {

struct Buffer {
    std::vector<uint8_t> bytes;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    uint32_t cursor = 0;
    explicit Buffer(std::vector<uint8_t> content) : bytes(std::move(content)) {
        data = bytes.empty() ? nullptr : bytes.data();
        size = static_cast<uint32_t>(bytes.size());
    }
    Buffer(const Buffer& other) : Buffer(other.bytes) { cursor = other.cursor; }
};

Buffer textBuffer(const std::string& text) {
    return Buffer(std::vector<uint8_t>(text.begin(), text.end()));
}

// Every line the reader returns, with the cursor after each, up to and
// including the first call that leaves the cursor where it was.
std::vector<std::pair<std::string, uint32_t>> allLines(const std::string& text) {
    Buffer buffer = textBuffer(text);
    OwnedString line;
    std::vector<std::pair<std::string, uint32_t>> lines;
    for (int guard = 0; guard < 100; ++guard) {
        const uint32_t before = buffer.cursor;
        vexl::vexlReadLine(buffer.data, buffer.size, buffer.cursor, line.get());
        lines.emplace_back(line.text(), buffer.cursor);
        if (buffer.cursor == before) {
            break;
        }
    }
    return lines;
}

using Lines = std::vector<std::pair<std::string, uint32_t>>;

} // namespace

TEST(Reader, ReadsLittleEndianIntegersAndFloatBitPatterns) {
    Buffer buffer(std::vector<uint8_t>{1, 2, 3, 4, 1, 2, 3, 4});
    uint32_t value = 0;
    float number = 0;
    vexl::vexlReadLong(buffer.data, buffer.size, buffer.cursor, value);
    vexl::vexlReadFloat(buffer.data, buffer.size, buffer.cursor, number);
    uint32_t bits = 0;
    std::memcpy(&bits, &number, 4);
    EXPECT_EQ(value, 0x04030201u);
    EXPECT_EQ(bits, 0x04030201u);
    EXPECT_EQ(buffer.cursor, 8u);
}

TEST(Reader, ShortReadsTakeWhatRemainsAndZeroTheRest) {
    Buffer longs(std::vector<uint8_t>{0x34, 0x12});
    uint32_t value = 0xFFFFFFFF;
    vexl::vexlReadLong(longs.data, longs.size, longs.cursor, value);
    EXPECT_EQ(value, 0x1234u);
    EXPECT_EQ(longs.cursor, 2u);

    Buffer vectors(std::vector<uint8_t>{1, 2, 3, 4, 5});
    VEXLVECTOR_T vector{1.0f, 2.0f, 3.0f};
    vexl::vexlReadVec3(vectors.data, vectors.size, vectors.cursor, vector);
    uint32_t words[3];
    std::memcpy(words, &vector, 12);
    EXPECT_EQ(words[0], 0x04030201u);
    EXPECT_EQ(words[1], 0x05u);
    EXPECT_EQ(words[2], 0u);
    EXPECT_EQ(vectors.cursor, 5u);

    Buffer run(std::vector<uint8_t>{7, 8});
    uint8_t block[4] = {9, 9, 9, 9};
    uint8_t* destination = block;
    const uint32_t count = 4;
    vexl::vexlReadBytes(run.data, run.size, run.cursor, destination, count);
    EXPECT_EQ(std::vector<uint8_t>(block, block + 4), (std::vector<uint8_t>{7, 8, 0, 0}));
}

TEST(Reader, ReadsNothingAtTheEndOrFromAnEmptyBuffer) {
    for (Buffer buffer : {Buffer(std::vector<uint8_t>{1, 2}), Buffer(std::vector<uint8_t>{})}) {
        buffer.cursor = buffer.size;
        uint8_t byte = 42;
        uint32_t value = 42;
        float number = 4.2f;
        uint8_t triple[3] = {4, 2, 0};
        vexl::vexlReadByte(buffer.data, buffer.size, buffer.cursor, byte);
        vexl::vexlReadLong(buffer.data, buffer.size, buffer.cursor, value);
        vexl::vexlReadFloat(buffer.data, buffer.size, buffer.cursor, number);
        vexl::vexlReadByte3(buffer.data, buffer.size, buffer.cursor, triple);
        EXPECT_EQ(byte, 42);
        EXPECT_EQ(value, 42u);
        EXPECT_EQ(number, 4.2f);
        EXPECT_EQ(triple[0], 4);
        EXPECT_EQ(buffer.cursor, buffer.size);
    }
}

TEST(Reader, ReadsTextFieldsUpToTheirFirstZero) {
    Buffer buffer(std::vector<uint8_t>{'a', 'b', 0, 'c', 'd', 'w', 'x', 'y', 'z', 'q'});
    OwnedString text;
    vexl::vexlReadString(buffer.data, buffer.size, buffer.cursor, text.get(), 5);
    EXPECT_EQ(text.text(), "ab");
    EXPECT_EQ(buffer.cursor, 5u);
    OwnedString preset("    ");
    vexl::vexlReadString(buffer.data, buffer.size, buffer.cursor, preset.get(), 0);
    EXPECT_EQ(preset.text(), "wxyz");
    vexl::vexlReadString(buffer.data, buffer.size, buffer.cursor, text.get(), 16);
    EXPECT_EQ(text.text(), "q");
    EXPECT_EQ(buffer.cursor, buffer.size);
    vexl::vexlReadString(buffer.data, buffer.size, buffer.cursor, text.get(), 16);
    EXPECT_EQ(text.text(), "q") << "nothing left: the destination stays";
}

// Fields are searched for their zero a word at a time: the first zero must be
// found wherever it stands, also next to bytes whose high bit is set or that
// are 1 (the values a word-wise search can mistake for zeros).
TEST(Reader, FindsTheFirstZeroOfAFieldAtEveryPosition) {
    for (const uint8_t filler : {uint8_t{'a'}, uint8_t{0x01}, uint8_t{0x80}, uint8_t{0xFF}}) {
        for (uint32_t width = 1; width <= 72; ++width) {
            for (uint32_t zeroAt = 0; zeroAt <= width; ++zeroAt) {
                std::vector<uint8_t> bytes(width, filler);
                if (zeroAt < width) {
                    bytes[zeroAt] = 0;
                    for (uint32_t after = zeroAt + 1; after < width; after += 2) {
                        bytes[after] = 0x01;
                    }
                }
                Buffer buffer(bytes);
                bool taken = false;
                const std::string_view text =
                    vexl::vexlReadField(buffer.data, buffer.size, buffer.cursor, width, taken);
                ASSERT_EQ(text.size(), zeroAt) << "width " << width << ", filler " << +filler;
                ASSERT_EQ(buffer.cursor, width);
            }
        }
    }
}

TEST(Reader, SpansViewTheBytesThatRemainWithoutCopying) {
    Buffer buffer(std::vector<uint8_t>{1, 2, 3, 4, 5});
    const auto first = vexl::vexlReadSpan(buffer.data, buffer.size, buffer.cursor, 3);
    EXPECT_EQ(first.data(), buffer.data);
    EXPECT_EQ(first.size(), 3u);
    EXPECT_EQ(buffer.cursor, 3u);
    const auto rest = vexl::vexlReadSpan(buffer.data, buffer.size, buffer.cursor, 16);
    EXPECT_EQ(std::vector<uint8_t>(rest.begin(), rest.end()), (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(buffer.cursor, 5u);
    EXPECT_TRUE(vexl::vexlReadSpan(buffer.data, buffer.size, buffer.cursor, 1).empty());
    EXPECT_EQ(buffer.cursor, 5u);
}

TEST(Reader, SplitsLinesAtCrLfAndLoneLfAndReturnsTheLastLineWhole) {
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

TEST(Reader, ReusesTheDestinationBlockInsteadOfAllocatingPerRead) {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    Buffer buffer = textBuffer(text);
    OwnedString line(std::string(64, ' '));
    const char* block = line.get().data;
    int lines = 0;
    for (uint32_t before = ~0u; before != buffer.cursor; ++lines) {
        before = buffer.cursor;
        vexl::vexlReadLine(buffer.data, buffer.size, buffer.cursor, line.get());
        ASSERT_EQ(line.get().data, block);
    }
    EXPECT_EQ(lines, 1001);
    for (uint32_t cursor = 0; cursor < buffer.size;) {
        vexl::vexlReadString(buffer.data, buffer.size, cursor, line.get(), 8);
        ASSERT_EQ(line.get().data, block);
    }
}
