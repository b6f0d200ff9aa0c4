// The FBSTRING descriptor, handled in one place. Data blocks come from the C
// heap so that callers can release them with free(). Bit 31 of `length` is
// masked off on every read.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>
#include <string_view>

namespace vexl {

constexpr int32_t kLengthMask = 0x7FFFFFFF;

inline uint32_t stringLength(const FBSTRING& text) {
    if (text.data == nullptr) {
        return 0;
    }
    return static_cast<uint32_t>(text.length & kLengthMask);
}

inline std::string_view stringView(const FBSTRING& text) {
    return {text.data, stringLength(text)};
}

// Replaces the text. The block is reused when it is large enough and grown
// geometrically otherwise.
// Returns false, leaving the descriptor as it was, when memory runs out.
bool stringAssign(FBSTRING& text, std::string_view value);

} // namespace vexl
