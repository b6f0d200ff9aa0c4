// The cursor readers: the only way a loader reads the caller's bytes.
//
// Each reader takes the buffer, its size and the loader's cursor, reads one
// value at the cursor and moves the cursor past the bytes it took. A read
// that asks for more bytes than remain takes only those; a read with nothing
// left (or a null buffer, or size 0) changes neither cursor nor destination.
// Integers are little-endian; for the copy readers (float, vector, byte
// triple, byte run) the bytes a short read could not take become zero.
// Nothing here allocates, except vexlReadString/vexlReadLine growing the
// caller's FBSTRING when it is too small.
#pragma once

#include "frame/fbstring.hpp"
#include "vexalkit.hpp"

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace vexl {

// How many of `wanted` bytes a read at the cursor can take.
inline uint32_t vexlTakeable(const uint8_t* const& buffer, const uint32_t& size,
                             const uint32_t& cursor, uint32_t wanted) {
    if (buffer == nullptr || size == 0 || cursor >= size) {
        return 0;
    }
    const uint32_t remaining = size - cursor;
    return wanted < remaining ? wanted : remaining;
}

// Copies up to `count` bytes into `destination` and zero-fills what the
// buffer could not supply; returns the bytes taken.
inline uint32_t vexlCopyOut(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                            void* destination, uint32_t count) {
    const uint32_t taken = vexlTakeable(buffer, size, cursor, count);
    if (taken == 0) {
        return 0;
    }
    if (taken == count) {
        // The usual case; for the fixed-size readers `count` is a constant
        // here, so the copy is a single move rather than a byte loop.
        std::memcpy(destination, buffer + cursor, count);
    } else {
        std::memcpy(destination, buffer + cursor, taken);
        std::memset(static_cast<uint8_t*>(destination) + taken, 0, count - taken);
    }
    cursor += taken;
    return taken;
}

inline void vexlReadByte(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                         uint8_t& value) {
    if (vexlTakeable(buffer, size, cursor, 1) != 0) {
        value = buffer[cursor];
        cursor += 1;
    }
}

template <class Int32>
inline void vexlReadLong(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                         Int32& value) {
    static_assert(sizeof(Int32) == 4, "vexlReadLong fills a 32-bit integer");
    const uint32_t taken = vexlTakeable(buffer, size, cursor, 4);
    if (taken == 0) {
        return;
    }
    uint32_t assembled = 0;
    if (taken == 4 && std::endian::native == std::endian::little) {
        std::memcpy(&assembled, buffer + cursor, 4);
    } else {
        for (uint32_t i = 0; i < taken; ++i) {
            assembled |= static_cast<uint32_t>(buffer[cursor + i]) << (8 * i);
        }
    }
    value = static_cast<Int32>(assembled);
    cursor += taken;
}

inline void vexlReadFloat(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                          float& value) {
    uint8_t bytes[4];
    if (vexlCopyOut(buffer, size, cursor, bytes, 4) != 0) {
        std::memcpy(&value, bytes, 4);
    }
}

inline void vexlReadVec3(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                         VEXLVECTOR_T& value) {
    uint8_t bytes[12];
    if (vexlCopyOut(buffer, size, cursor, bytes, 12) != 0) {
        std::memcpy(&value, bytes, 12);
    }
}

inline void vexlReadByte3(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                          uint8_t (&value)[3]) {
    uint8_t bytes[3];
    if (vexlCopyOut(buffer, size, cursor, bytes, 3) != 0) {
        std::memcpy(value, bytes, 3);
    }
}

// The destination block must hold `count` bytes.
inline void vexlReadBytes(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                          uint8_t* const& destination, const uint32_t& count) {
    vexlCopyOut(buffer, size, cursor, destination, count);
}

// Moves the cursor past `count` bytes without reading them. The cursor stops
// at the end of the buffer: every read from there on takes nothing.
inline void vexlSkip(const uint32_t& size, uint32_t& cursor, uint64_t count) {
    if (cursor >= size) {
        return;
    }
    const uint32_t remaining = size - cursor;
    cursor = count < remaining ? cursor + static_cast<uint32_t>(count) : size;
}

// The number of bytes before the first zero among `count`, or `count`.
// Name fields are short, so they are searched eight bytes at a time here
// rather than through a library call: in a word, the lowest byte flagged by
// (word - 0x01..01) & ~word & 0x80..80 is its first zero byte.
inline size_t vexlTextLength(const char* text, size_t count) {
    constexpr size_t kShortField = 64;
    if (count > kShortField || std::endian::native != std::endian::little) {
        const void* zero = std::memchr(text, 0, count);
        return zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - text) : count;
    }
    size_t length = 0;
    for (; length + 8 <= count; length += 8) {
        uint64_t word = 0;
        std::memcpy(&word, text + length, 8);
        const uint64_t zeros = (word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull;
        if (zeros != 0) {
            return length + static_cast<size_t>(std::countr_zero(zeros)) / 8;
        }
    }
    while (length < count && text[length] != '\0') {
        ++length;
    }
    return length;
}

// Takes up to `width` bytes and returns their text up to the first zero byte
// among them, as a view into the buffer. `taken` tells whether any byte was
// there to take (a field of zero bytes is taken and gives an empty text).
inline std::string_view vexlReadField(const uint8_t* const& buffer, const uint32_t& size,
                                      uint32_t& cursor, uint32_t width, bool& taken) {
    const uint32_t count = vexlTakeable(buffer, size, cursor, width);
    taken = count != 0;
    if (!taken) {
        return {};
    }
    const char* text = reinterpret_cast<const char*>(buffer + cursor);
    cursor += count;
    return {text, vexlTextLength(text, count)};
}

// Takes up to `count` bytes and returns them as a view into the buffer, for
// a loader that transforms a run of bytes rather than copying it. The view
// is shorter than `count` when the buffer ends first, and empty (the cursor
// unmoved) when nothing is left.
inline std::span<const uint8_t> vexlReadSpan(const uint8_t* const& buffer, const uint32_t& size,
                                             uint32_t& cursor, uint32_t count) {
    const uint32_t taken = vexlTakeable(buffer, size, cursor, count);
    if (taken == 0) {
        return {};
    }
    const uint8_t* start = buffer + cursor;
    cursor += taken;
    return {start, taken};
}

// Reads an n-byte text field (n = 0: the destination's current length) into
// the destination, up to its first zero byte.
void vexlReadString(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                    FBSTRING& destination, uint32_t length);

// The next line as a view into the buffer. A line ends at CR LF or at a lone
// LF, neither of which belongs to it; a lone CR is an ordinary character.
// At the end of the text (cursor at the size) the line is empty and the
// cursor stays: that unmoved cursor is how callers find the end.
inline std::string_view vexlReadLineView(const uint8_t* const& buffer, const uint32_t& size,
                                         uint32_t& cursor) {
    if (buffer == nullptr || size == 0 || cursor >= size) {
        return {};
    }
    const char* start = reinterpret_cast<const char*>(buffer + cursor);
    const uint32_t remaining = size - cursor;
    const void* found = std::memchr(start, '\n', remaining);
    if (found == nullptr) {
        cursor = size;
        return {start, remaining};
    }
    const auto feed = static_cast<uint32_t>(static_cast<const char*>(found) - start);
    cursor += feed + 1;
    const uint32_t length = (feed != 0 && start[feed - 1] == '\r') ? feed - 1 : feed;
    return {start, length};
}

// vexlReadLineView into an FBSTRING; the destination is always emptied first.
void vexlReadLine(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                  FBSTRING& destination);

} // namespace vexl
