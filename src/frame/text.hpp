// The library's two text rules, shared by path cleaning, the frame lookup
// and the map checker.
//   Trimming: blanks (32) go from the start; blanks and zero bytes from the end.
//   Lower-casing: A to Z become a to z; bytes from 128 up are lowered as the
//   process's current locale's tolower() lowers them; nothing else changes.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdint>
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

// The text of a fixed-width field up to its first zero byte.
inline std::string_view fieldText(const char* field, size_t width) {
    size_t length = 0;
    while (length < width && field[length] != '\0') {
        ++length;
    }
    return {field, length};
}

} // namespace vexl
