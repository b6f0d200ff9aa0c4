// Size arithmetic that cannot wrap unnoticed. Every count read from a file
// goes through these before it sizes a block or moves a cursor.
#pragma once

#include <cstdint>

namespace vexl {

template <class T> [[nodiscard]] inline bool checkedMul(T left, T right, T& product) {
    return !__builtin_mul_overflow(left, right, &product);
}

template <class T> [[nodiscard]] inline bool checkedAdd(T left, T right, T& sum) {
    return !__builtin_add_overflow(left, right, &sum);
}

// A position that a survey pass moves through data it has not read yet. It
// never wraps: a step that would leave `limit` is refused.
class SurveyPosition {
  public:
    explicit SurveyPosition(uint64_t start, uint64_t limit) : position_(start), limit_(limit) {}

    // Moves by `count` bytes; false when that runs past the limit.
    [[nodiscard]] bool advance(uint64_t count) {
        if (count > limit_ || position_ > limit_ - count) {
            return false;
        }
        position_ += count;
        return true;
    }
    // Moves by `count` × `width` bytes, checked.
    [[nodiscard]] bool advance(uint64_t count, uint64_t width) {
        uint64_t bytes = 0;
        return checkedMul(count, width, bytes) && advance(bytes);
    }

  private:
    uint64_t position_;
    uint64_t limit_;
};

} // namespace vexl
