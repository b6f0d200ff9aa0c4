// Record blocks: every block a record owns or a caller receives is allocated
// here, zero-filled from the C heap, and released with free().
#pragma once

#include <cstdint>
#include <cstdlib>

namespace vexl {

// The largest block the library will ask for. Counts come from files, so a
// request beyond this is refused rather than passed to the allocator.
constexpr uint64_t kMaxBlockBytes = 0xFFFFFFFFull;

// A zero-filled block of `count` elements, or null when the size overflows,
// exceeds kMaxBlockBytes, or the heap refuses. A block of zero elements is a
// real (one-element) block, so success is never a null pointer.
template <class T> [[nodiscard]] T* allocBlock(uint64_t count) {
    if (count > kMaxBlockBytes / sizeof(T)) {
        return nullptr;
    }
    const uint64_t elements = count == 0 ? 1 : count;
    return static_cast<T*>(std::calloc(static_cast<size_t>(elements), sizeof(T)));
}

// A block of `count` elements that is wholly overwritten before anyone sees
// it (a file read in one piece): the checks of allocBlock without its
// zero-fill, which for a reused heap block is a second pass over every byte.
// Whoever fills it frees it again when the fill fails.
template <class T> [[nodiscard]] T* allocBlockForOverwrite(uint64_t count) {
    if (count > kMaxBlockBytes / sizeof(T)) {
        return nullptr;
    }
    const uint64_t elements = count == 0 ? 1 : count;
    return static_cast<T*>(std::malloc(static_cast<size_t>(elements) * sizeof(T)));
}

// Frees a block (null is fine) and clears the pointer that held it.
template <class T> void freeBlock(T*& block) {
    std::free(const_cast<void*>(static_cast<const void*>(block)));
    block = nullptr;
}

// The owner of one free()-able block: frees it when it goes out of scope,
// unless it was handed on with release().
template <class T> class OwnedBlock {
  public:
    OwnedBlock() = default;
    explicit OwnedBlock(T* block) : block_(block) {}
    ~OwnedBlock() { freeBlock(block_); }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;
    OwnedBlock(OwnedBlock&& other) noexcept : block_(other.release()) {}
    OwnedBlock& operator=(OwnedBlock&& other) noexcept {
        if (this != &other) {
            freeBlock(block_);
            block_ = other.release();
        }
        return *this;
    }

    T* get() const { return block_; }
    // The pointer itself, for a call that hands a block back through a
    // reference (it frees what the pointer held first).
    T*& receive() { return block_; }
    [[nodiscard]] T* release() {
        T* const block = block_;
        block_ = nullptr;
        return block;
    }
    explicit operator bool() const { return block_ != nullptr; }

  private:
    T* block_ = nullptr;
};

} // namespace vexl
