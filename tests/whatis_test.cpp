#include "vexalkit.hpp"
#include "writers/byte_writer.hpp"

#include <gtest/gtest.h>
#include <string>

using vexl::writers::Bytes;
using vexl::writers::ByteWriter;

namespace {

// A type the library never gives, so an unwritten type shows.
constexpr int32_t kUntouched = 99;

struct Identified {
    int32_t status;
    int32_t type = kUntouched;
    bool operator==(const Identified&) const = default;
};

Identified identify(const uint8_t* bytes, uint32_t size) {
    Identified result{0};
    result.status = vexlWhatIs(bytes, size, result.type);
    return result;
}

Identified identify(const Bytes& bytes) {
    return identify(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

// `size` bytes that start with `head`, then 0xAB filler (whose first two
// values never multiply to the sizes used here).
Bytes startingWith(const std::string& head, size_t size) {
    return ByteWriter().text(head).fill(size - head.size(), 0xAB).take();
}

const Identified kNone{7, 0};

} // namespace

TEST(WhatIs, TestsTheMagicsFirstAndCaseSensitively) {
    EXPECT_EQ(identify(startingWith("PACK", 768)), (Identified{0, 1}));
    EXPECT_EQ(identify(startingWith("WAD2", 20)).type, 2);
    EXPECT_EQ(identify(startingWith("IDPO", 20)).type, 4);
    EXPECT_EQ(identify(startingWith("IDSP", 20)).type, 8);
    EXPECT_EQ(identify(startingWith("RIFF", 4)).type, 9);
    EXPECT_EQ(identify({'p', 'a', 'c', 'k', 0}), kNone);
    EXPECT_EQ(identify({'P', 'A', 'C', 0}), kNone) << "the text ends at the zero byte";
}

TEST(WhatIs, TestsThePictureBeforeTheSizes) {
    EXPECT_EQ(identify(ByteWriter().u32(20).u32(38).fill(760).take()).type, 10) << "768 bytes";
    EXPECT_EQ(identify(Bytes(8, 0)).type, 10) << "a picture of 0 x 0";
    EXPECT_EQ(identify(ByteWriter().u32(1).u32(8185).fill(8185).take()).type, 10);
    EXPECT_EQ(identify(ByteWriter().u32(0x10000).u32(0x10000).take()).type, 10)
        << "65536 x 65536 wraps to 0";
}

TEST(WhatIs, RecognisesTheOtherKindsByTheirExactSizes) {
    EXPECT_EQ(identify(startingWith("", 768)), (Identified{0, 11}));
    EXPECT_EQ(identify(startingWith("", 8193)).type, 12);
    EXPECT_EQ(identify(startingWith("", 16385)).type, 12);
    EXPECT_EQ(identify(startingWith("", 4000)).type, 13);
    for (const size_t size : {3, 8194, 8449, 16384}) {
        EXPECT_EQ(identify(startingWith("", size)), kNone) << size;
    }
    // Without bytes the size alone decides.
    EXPECT_EQ(identify(nullptr, 8).type, 10);
    EXPECT_EQ(identify(nullptr, 768).type, 11);
    EXPECT_EQ(identify(nullptr, 0), kNone);
}
