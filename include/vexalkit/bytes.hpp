// Owned blocks from the C heap, and reading whole files.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/error.hpp"
#include "vexalkit/heap_string.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vexalkit {

// A block of `size()` values of T that was allocated with malloc/calloc and
// is released with free. Move-only; a moved-from or default block is empty.
template <typename T> class HeapBlock {
  public:
    HeapBlock() = default;
    // Takes over `data` (may be null), which holds `size` values.
    static HeapBlock adopt(T* data, std::size_t size) noexcept {
        HeapBlock block;
        block.data_ = data;
        block.size_ = data == nullptr ? 0 : size;
        return block;
    }
    ~HeapBlock() { std::free(data_); }
    HeapBlock(HeapBlock&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    HeapBlock& operator=(HeapBlock&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;

    T* data() noexcept { return data_; }
    const T* data() const noexcept { return data_; }
    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    std::span<T> span() noexcept { return {data_, size_}; }
    std::span<const T> span() const noexcept { return {data_, size_}; }
    operator std::span<const T>() const noexcept { return span(); }
    T* begin() noexcept { return data_; }
    T* end() noexcept { return data_ + size_; }
    const T* begin() const noexcept { return data_; }
    const T* end() const noexcept { return data_ + size_; }
    T& operator[](std::size_t index) noexcept { return data_[index]; }
    const T& operator[](std::size_t index) const noexcept { return data_[index]; }

    // Gives the block up to the caller, who frees it with free().
    T* release() noexcept {
        size_ = 0;
        return std::exchange(data_, nullptr);
    }

  private:
    T* data_ = nullptr;
    std::size_t size_ = 0;
};

using Bytes = HeapBlock<uint8_t>;

// Colours as 0xAARRGGBB values with alpha 0xFF: red in bits 16-23, green in
// bits 8-15, blue in bits 0-7.
using Colors = HeapBlock<uint32_t>;

namespace detail {

// The library takes sizes as 32-bit values; a larger block cannot be passed.
inline uint32_t sizeOf(std::span<const uint8_t> bytes) {
    if (bytes.size() > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("block of 4 GiB or more");
    }
    return static_cast<uint32_t>(bytes.size());
}

inline std::string describe(std::string_view archive, std::string_view name) {
    std::string text;
    if (!archive.empty()) {
        text.append(archive).append(":");
    }
    return text.append(name);
}

} // namespace detail

// The whole file `name` inside the PAK `archive`, or on disk when `archive`
// is empty. Both names are copied; the library cleans the copies (either
// separator, "." and ".." parts) and forces ".pak" onto the archive name
// only: the file name is taken as given, no extension added. Throws Error
// (isNotFound() for a missing archive, file or entry; code 5 for an empty
// file on disk).
inline Bytes readFile(std::string_view archive, std::string_view name) {
    HeapString archiveName(archive);
    HeapString fileName(name);
    uint8_t* data = nullptr;
    uint32_t size = 0;
    const int32_t status = vexlPackFileLoad(archiveName.get(), fileName.get(), data, size);
    Bytes bytes = Bytes::adopt(data, size);
    check(status, detail::describe(archive, name));
    return bytes;
}

// The whole file at `path` on disk.
inline Bytes readFile(std::string_view path) {
    return readFile({}, path);
}

} // namespace vexalkit
