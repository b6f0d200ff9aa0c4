#include "frame/fbstring.hpp"

#include <cstdlib>
#include <cstring>

namespace vexl {
namespace {

uint32_t usableCapacity(const FBSTRING& text) {
    if (text.data == nullptr || text.capacity < 0) {
        return 0;
    }
    return static_cast<uint32_t>(text.capacity);
}

// Makes room for `needed` characters plus the terminating zero.
bool reserve(FBSTRING& text, uint32_t needed) {
    if (text.data != nullptr && usableCapacity(text) >= needed) {
        return true;
    }
    if (needed > static_cast<uint32_t>(kLengthMask) - 1) {
        return false;
    }
    uint64_t grown = static_cast<uint64_t>(usableCapacity(text)) * 2;
    uint64_t capacity = grown > needed ? grown : needed;
    if (capacity > static_cast<uint64_t>(kLengthMask) - 1) {
        capacity = needed;
    }
    void* block = std::realloc(text.data, static_cast<size_t>(capacity) + 1);
    if (block == nullptr) {
        return false;
    }
    text.data = static_cast<char*>(block);
    text.capacity = static_cast<int32_t>(capacity);
    return true;
}

} // namespace

bool stringAssign(FBSTRING& text, std::string_view value) {
    if (value.size() > static_cast<size_t>(kLengthMask) - 1) {
        return false;
    }
    const auto count = static_cast<uint32_t>(value.size());
    if (count == 0 && text.data == nullptr) {
        text.length = 0;
        text.capacity = 0;
        return true;
    }
    // The value may point into the descriptor's own block: copy before growing.
    if (text.data != nullptr && value.data() >= text.data &&
        value.data() < text.data + usableCapacity(text) + 1) {
        std::memmove(text.data, value.data(), count);
    } else {
        if (!reserve(text, count)) {
            return false;
        }
        if (count != 0) {
            std::memcpy(text.data, value.data(), count);
        }
    }
    text.data[count] = '\0';
    text.length = static_cast<int32_t>(count);
    return true;
}

} // namespace vexl
