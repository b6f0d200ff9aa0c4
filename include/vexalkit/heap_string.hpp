// An FBSTRING whose text lives on the C heap, owned: what the entry points
// that take strings expect from their caller.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vexalkit {

class HeapString {
  public:
    // The empty descriptor: all three fields zero.
    HeapString() = default;

    // A copy of `text` in a malloc'd block; throws std::bad_alloc when the
    // block cannot be had and std::length_error past 2^31 - 1 characters.
    explicit HeapString(std::string_view text) { assign(text); }
    ~HeapString() { std::free(value_.data); }
    HeapString(HeapString&& other) noexcept : value_(std::exchange(other.value_, FBSTRING{})) {}
    HeapString& operator=(HeapString&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    HeapString(const HeapString&) = delete;
    HeapString& operator=(const HeapString&) = delete;

    // Replaces the text, reusing the block when it is large enough (a caller
    // that restores a name before every call allocates nothing).
    void assign(std::string_view text) {
        reserve(text.size());
        if (!text.empty()) {
            std::memcpy(value_.data, text.data(), text.size());
        }
        value_.data[text.size()] = '\0';
        value_.length = static_cast<int32_t>(text.size());
    }

    // Makes the block hold at least `length` characters; the text is kept.
    void reserve(std::size_t length) {
        if (length > kMaxLength) {
            throw std::length_error("string too long for the library");
        }
        if (value_.data != nullptr && static_cast<std::size_t>(value_.capacity) >= length) {
            return;
        }
        char* const block = static_cast<char*>(std::realloc(value_.data, length + 1));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        if (value_.data == nullptr) {
            block[0] = '\0';
        }
        value_.data = block;
        value_.capacity = static_cast<int32_t>(length);
    }

    // The descriptor, for the entry points; they may rewrite or reallocate it.
    FBSTRING& get() noexcept { return value_; }
    const FBSTRING& get() const noexcept { return value_; }

    // The current text; bit 31 of the length is masked off as the library does.
    std::string_view text() const noexcept {
        if (value_.data == nullptr) {
            return {};
        }
        return {value_.data, static_cast<std::size_t>(value_.length & kLengthMask)};
    }

  private:
    static constexpr int32_t kLengthMask = std::numeric_limits<int32_t>::max();
    static constexpr std::size_t kMaxLength = static_cast<std::size_t>(kLengthMask);
    FBSTRING value_{};
};

// The cleaned form of a path, as the library compares names: "\" between
// parts, no empty or "." parts, ".." applied, parts trimmed, case kept.
inline std::string cleanPath(std::string_view path) {
    HeapString copy(path);
    const int32_t noTrailingSeparator = 1;
    vexlCleanPath(copy.get(), noTrailingSeparator);
    return std::string(copy.text());
}

} // namespace vexalkit
