// FBSTRING helpers for tests: descriptors built on the C heap, as callers do.
#pragma once

#include "vexalkit.hpp"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace vexl::testing {

// Owns an FBSTRING and frees its block when done.
class OwnedString {
  public:
    OwnedString() = default;
    explicit OwnedString(std::string_view text) {
        value_.data = static_cast<char*>(std::malloc(text.size() + 1));
        std::memcpy(value_.data, text.data(), text.size());
        value_.data[text.size()] = '\0';
        value_.length = static_cast<int32_t>(text.size());
        value_.capacity = static_cast<int32_t>(text.size());
    }
    ~OwnedString() { std::free(value_.data); }
    OwnedString(const OwnedString&) = delete;
    OwnedString& operator=(const OwnedString&) = delete;

    FBSTRING& get() { return value_; }
    std::string text() const {
        return value_.data == nullptr ? std::string()
                                      : std::string(value_.data, value_.length & 0x7FFFFFFF);
    }

  private:
    FBSTRING value_{};
};

} // namespace vexl::testing
