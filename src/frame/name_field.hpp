// Cleaning of fixed-width name fields, as directory entries hold them. Most
// such names are plain already but for their separators, and a directory
// holds thousands of them: the test for plainness looks at the whole field
// at once, as one bit per byte for each kind of byte that matters, instead
// of walking it part by part.
#pragma once

#include "frame/path.hpp"

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vexl {
namespace name_field {

// Bit i of each mask tells whether byte i of the field is of that kind.
struct ByteKinds {
    uint64_t zero = 0;
    uint64_t slash = 0;
    uint64_t backslash = 0;
    uint64_t blank = 0;
    uint64_t dot = 0;
};

inline void addKind(uint64_t& mask, bool is, size_t at) {
    mask |= static_cast<uint64_t>(is) << at;
}

inline ByteKinds kindsByByte(const char* field, size_t width) {
    ByteKinds kinds;
    for (size_t i = 0; i < width; ++i) {
        addKind(kinds.zero, field[i] == '\0', i);
        addKind(kinds.slash, field[i] == '/', i);
        addKind(kinds.backslash, field[i] == '\\', i);
        addKind(kinds.blank, field[i] == ' ', i);
        addKind(kinds.dot, field[i] == '.', i);
    }
    return kinds;
}

inline ByteKinds kindsOf(const char* field, size_t width) {
#if defined(__SSE2__)
    if (width >= 16) {
        ByteKinds kinds;
        // 16 bytes at a time; the last block ends at the field's end and may
        // overlap the one before, which sets the same bits again.
        for (size_t at = 0; at < width; at += 16) {
            const size_t start = at + 16 <= width ? at : width - 16;
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field + start));
            const auto bitsOf = [&](char value) {
                const __m128i equal = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(value));
                return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(equal)))
                       << start;
            };
            kinds.zero |= bitsOf('\0');
            kinds.slash |= bitsOf('/');
            kinds.backslash |= bitsOf('\\');
            kinds.blank |= bitsOf(' ');
            kinds.dot |= bitsOf('.');
        }
        return kinds;
    }
#endif
    return kindsByByte(field, width);
}

// The first `length` bytes form a name that cleaning leaves as it is but for
// "/" becoming "\": no empty part, no part "." or "..", no blank at the start
// or end of a part (the text holds no zero byte).
inline bool isPlainName(const ByteKinds& kinds, size_t length) {
    if (length == 0) {
        return false;
    }
    const uint64_t inside = (uint64_t{1} << length) - 1;
    const uint64_t last = uint64_t{1} << (length - 1);
    const uint64_t separators = (kinds.slash | kinds.backslash) & inside;
    // A separator first, last or after another leaves an empty part.
    if ((separators & (1 | last | (separators >> 1))) != 0) {
        return false;
    }
    const uint64_t partStarts = (1 | separators << 1) & inside;
    const uint64_t partEnds = (separators >> 1 | last) & inside;
    const uint64_t dots = kinds.dot & inside;
    const uint64_t singleDots = dots & partStarts & partEnds;
    const uint64_t doubleDots = dots & partStarts & ((dots & partEnds) >> 1);
    return (kinds.blank & inside & (partStarts | partEnds)) == 0 && singleDots == 0 &&
           doubleDots == 0;
}

// Writes the first `length` bytes of a plain name, "/" turned into "\\", and
// zeros up to `outSize`, which leaves room for the name and its zero.
inline void copyPlainName(const char* field, size_t width, size_t length, uint64_t slashes,
                          char* out, size_t outSize) {
#if defined(__SSE2__)
    if (width >= 16 && outSize > width) {
        const __m128i offsets = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m128i end = _mm_set1_epi8(static_cast<char>(length));
        const __m128i slash = _mm_set1_epi8('/');
        const __m128i backslash = _mm_set1_epi8('\\');
        // The same blocks as kindsOf; an overlapping block writes the same
        // bytes again.
        for (size_t at = 0; at < width; at += 16) {
            const size_t start = at + 16 <= width ? at : width - 16;
            __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field + start));
            const __m128i isSlash = _mm_cmpeq_epi8(bytes, slash);
            bytes =
                _mm_or_si128(_mm_andnot_si128(isSlash, bytes), _mm_and_si128(isSlash, backslash));
            const __m128i positions =
                _mm_add_epi8(offsets, _mm_set1_epi8(static_cast<char>(start)));
            const __m128i inside = _mm_cmplt_epi8(positions, end);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + start), _mm_and_si128(bytes, inside));
        }
        for (size_t i = width; i < outSize; ++i) {
            out[i] = '\0';
        }
        return;
    }
#endif
    std::memcpy(out, field, length);
    for (; slashes != 0; slashes &= slashes - 1) {
        out[std::countr_zero(slashes)] = '\\';
    }
    std::memset(out + length, 0, outSize - length);
}

} // namespace name_field

// Cleans the text of a name field of `width` bytes (below 64; the text ends
// at the field's first zero byte, or with the field) as a file name, and
// writes exactly `outSize` bytes to `out`: the cleaned name, cut to
// outSize - 1 bytes, then zeros. A name that is plain but for its "/"
// separators (the usual directory entry) costs a copy. Inline, so that a
// caller's constant width unrolls the blocks.
inline void cleanNameFieldInto(const char* field, size_t width, char* out, size_t outSize) {
    assert(width < 64 && outSize != 0);
    using namespace name_field;
    const ByteKinds kinds = kindsOf(field, width);
    auto length = static_cast<size_t>(std::countr_zero(kinds.zero | uint64_t{1} << width));
    if (isPlainName(kinds, length) && length < outSize) {
        copyPlainName(field, width, length, kinds.slash & ((uint64_t{1} << length) - 1), out,
                      outSize);
        return;
    }
    char cleaned[64 + 2];
    length = cleanPathInto({field, length}, true, cleaned);
    length = length < outSize ? length : outSize - 1;
    std::memcpy(out, cleaned, length);
    std::memset(out + length, 0, outSize - length);
}

} // namespace vexl
