// The library's two text rules, shared by path cleaning, the frame lookup
// and the map checker.
//   Trimming: blanks (32) go from the start; blanks and zero bytes from the end.
//   Lower-casing: A to Z become a to z; bytes from 128 up are lowered as the
//   process's current locale's tolower() lowers them; nothing else changes.
#pragma once

#include <bit>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vexl {

inline std::string_view trimText(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && text[first] == ' ') {
        ++first;
    }
    size_t last = text.size();
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\0')) {
        --last;
    }
    return text.substr(first, last - first);
}

inline char lowerChar(char value) {
    const auto byte = static_cast<unsigned char>(value);
    if (byte < 128) {
        return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + ('a' - 'A')) : value;
    }
    return static_cast<char>(std::tolower(byte));
}

inline void lowerInPlace(char* text, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        text[i] = lowerChar(text[i]);
    }
}

// The comparison every name lookup uses: both sides trimmed, then compared
// byte for byte after lower-casing, lengths equal.
inline bool equalTrimmedFolded(std::string_view left, std::string_view right) {
    left = trimText(left);
    right = trimText(right);
    if (left.size() != right.size()) {
        return false;
    }
    for (size_t i = 0; i < left.size(); ++i) {
        if (lowerChar(left[i]) != lowerChar(right[i])) {
            return false;
        }
    }
    return true;
}

// The number of bytes before the first zero among `count`, or `count`.
// Name fields are short, so they are searched eight bytes at a time here
// rather than through a library call: in a word, the lowest byte flagged by
// (word - 0x01..01) & ~word & 0x80..80 is its first zero byte.
inline size_t textLength(const char* text, size_t count) {
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

// The text of a fixed-width field up to its first zero byte.
inline std::string_view fieldText(const char* field, size_t width) {
    return {field, textLength(field, width)};
}

} // namespace vexl
