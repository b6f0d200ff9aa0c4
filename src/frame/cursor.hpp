// The cursor: the only way a loader reads the caller's bytes.
//
// A cursor is a value over (data, size, position). Each read takes its bytes
// at the position and moves past them. Every read asks `take` how many bytes
// it may have, and `take` is the one place that compares with the end:
//
//   ByteCursor     for data not yet trusted. A read that asks for more bytes
//                  than remain takes only those; a read with nothing left (or
//                  no data at all) changes neither the position nor the
//                  destination. Integers are little-endian and their missing
//                  high bytes are zero; for the copy reads (float, vector,
//                  byte run) the bytes a short read could not take become
//                  zero too.
//   SectionCursor  for a section a loader has proved to lie wholly inside the
//                  data (a directory, a model section after the survey). Its
//                  reads always find their bytes, so they carry no test; the
//                  proof is asserted in checked builds.
//
// The "whole" reads of a ByteCursor take their bytes only when all of them
// are there, for a loader that measures data before trusting it.
#pragma once

#include "frame/checked.hpp"
#include "frame/text.hpp"
#include "vexalkit.hpp"

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>

namespace vexl {

// The little-endian 32-bit value of four bytes that are known to be there.
inline uint32_t loadLong(const uint8_t* bytes) {
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof(value));
    if constexpr (std::endian::native == std::endian::big) {
        value = __builtin_bswap32(value);
    }
    return value;
}

template <bool kChecked> class BasicCursor {
  public:
    BasicCursor() = default;
    // A null pointer is data of no bytes, whatever the size says.
    BasicCursor(const uint8_t* data, uint32_t size)
        : data_(data), size_(data == nullptr ? 0 : size) {}

    uint32_t position() const { return position_; }
    uint32_t size() const { return size_; }
    uint32_t remaining() const { return position_ < size_ ? size_ - position_ : 0; }
    // Moves to `position`; beyond the end, every read takes nothing.
    void seek(uint32_t position) { position_ = position; }

    void readByte(uint8_t& value) {
        if (take(1) != 0) {
            value = data_[position_];
            position_ += 1;
        }
    }

    template <class Int32> void readLong(Int32& value) {
        static_assert(sizeof(Int32) == 4, "readLong fills a 32-bit integer");
        const uint32_t taken = take(4);
        if (taken == 0) {
            return;
        }
        uint32_t assembled = 0;
        if (taken == 4) {
            assembled = loadLong(data_ + position_);
        } else {
            for (uint32_t i = 0; i < taken; ++i) {
                assembled |= static_cast<uint32_t>(data_[position_ + i]) << (8 * i);
            }
        }
        value = static_cast<Int32>(assembled);
        position_ += taken;
    }
    // The value read, 0 where nothing was there to read.
    uint32_t readLong() {
        uint32_t value = 0;
        readLong(value);
        return value;
    }

    void readFloat(float& value) { copyOut(&value, sizeof(value)); }
    void readVec3(VEXLVECTOR_T& value) { copyOut(&value, sizeof(value)); }
    // The destination must hold `count` bytes.
    void readBytes(uint8_t* destination, uint32_t count) { copyOut(destination, count); }

    // A text field of `width` bytes: its text up to the first zero byte, as
    // a view into the data; the position moves past the whole field. False,
    // nothing moved, when no byte was there to take (a field of zero bytes
    // is taken and gives the empty text).
    bool readText(uint32_t width, std::string_view& text) {
        const uint32_t taken = take(width);
        if (taken == 0) {
            return false;
        }
        const char* field = reinterpret_cast<const char*>(data_ + position_);
        position_ += taken;
        text = fieldText(field, taken);
        return true;
    }
    std::string_view readText(uint32_t width) {
        std::string_view text;
        readText(width, text);
        return text;
    }

    // Up to `count` bytes as a view into the data, shorter when the data ends
    // first, empty (nothing moved) when nothing is left.
    std::span<const uint8_t> readSpan(uint64_t count) {
        const uint32_t taken = take(count);
        if (taken == 0) {
            return {};
        }
        const uint8_t* start = data_ + position_;
        position_ += taken;
        return {start, taken};
    }

    // Moves past `count` bytes without reading them, stopping at the end.
    void skip(uint64_t count) { position_ += take(count); }

    // The next line as a view into the data. A line ends at CR LF or at a
    // lone LF, neither of which belongs to it; a lone CR is an ordinary
    // character. At the end of the text the line is empty and the position
    // stays: that unmoved position is how callers find the end.
    std::string_view readLine() {
        const uint32_t left = remaining();
        if (left == 0) {
            return {};
        }
        const char* start = reinterpret_cast<const char*>(data_ + position_);
        const void* found = std::memchr(start, '\n', left);
        if (found == nullptr) {
            position_ = size_;
            return {start, left};
        }
        const auto feed = static_cast<uint32_t>(static_cast<const char*>(found) - start);
        position_ += feed + 1;
        const uint32_t length = (feed != 0 && start[feed - 1] == '\r') ? feed - 1 : feed;
        return {start, length};
    }

    // The whole reads: all their bytes or nothing.
    [[nodiscard]] bool readWholeLong(uint32_t& value) {
        if (remaining() < 4) {
            return false;
        }
        value = loadLong(data_ + position_);
        position_ += 4;
        return true;
    }
    [[nodiscard]] bool skipWhole(uint64_t count) {
        if (count > remaining()) {
            return false;
        }
        position_ += static_cast<uint32_t>(count);
        return true;
    }
    // Skips `count` × `width` bytes, the product checked.
    [[nodiscard]] bool skipWhole(uint64_t count, uint64_t width) {
        uint64_t bytes = 0;
        return checkedMul(count, width, bytes) && skipWhole(bytes);
    }

    // The `length` bytes at `offset` as a section, when they lie wholly
    // inside the data (offset and length taken in 64 bits).
    [[nodiscard]] std::optional<BasicCursor<false>> section(uint64_t offset,
                                                            uint64_t length) const {
        if (offset > size_ || length > size_ - offset) {
            return std::nullopt;
        }
        return BasicCursor<false>(data_ + offset, static_cast<uint32_t>(length));
    }

  private:
    // How many of `wanted` bytes the next read takes: the one bounds check.
    uint32_t take(uint64_t wanted) const {
        if constexpr (kChecked) {
            const uint32_t left = remaining();
            return wanted < left ? static_cast<uint32_t>(wanted) : left;
        } else {
            assert(wanted <= remaining() && "a section read runs past its section");
            return static_cast<uint32_t>(wanted);
        }
    }

    // Copies up to `count` bytes out and zero-fills what the data could not
    // supply; a read with nothing left leaves the destination untouched.
    void copyOut(void* destination, uint32_t count) {
        const uint32_t taken = take(count);
        if (taken == 0) {
            return;
        }
        if (taken == count) {
            // The usual case; for the fixed-size reads `count` is a constant
            // here, so the copy is a single move rather than a byte loop.
            std::memcpy(destination, data_ + position_, count);
        } else {
            std::memcpy(destination, data_ + position_, taken);
            std::memset(static_cast<uint8_t*>(destination) + taken, 0, count - taken);
        }
        position_ += taken;
    }

    const uint8_t* data_ = nullptr;
    uint32_t size_ = 0;
    uint32_t position_ = 0;
};

using ByteCursor = BasicCursor<true>;
using SectionCursor = BasicCursor<false>;

} // namespace vexl
