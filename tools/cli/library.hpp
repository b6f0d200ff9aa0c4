// Thin C++ handles over the library's C interface: strings on the C heap,
// records released by their Kill functions, status codes turned into errors.
#pragma once

#include "vexalkit.hpp"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vexl::cli {

// A failure the tool reports as one line and a non-zero exit code.
class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The library's message for a status, or `fallback` for codes it has none for.
std::string statusMessage(int32_t status, std::string_view fallback = {});

// An FBSTRING whose text lives on the C heap, as the library expects.
class LibString {
  public:
    LibString() = default;
    explicit LibString(std::string_view text);
    ~LibString() { std::free(value_.data); }
    LibString(const LibString&) = delete;
    LibString& operator=(const LibString&) = delete;

    FBSTRING& get() { return value_; }
    const FBSTRING& get() const { return value_; }
    std::string text() const;

  private:
    FBSTRING value_{};
};

// A record that is emptied by its Kill function when the handle goes away.
template <typename Record, void (*Kill)(Record&)> class Owned {
  public:
    Owned() = default;
    ~Owned() { Kill(record_); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Record& get() { return record_; }
    const Record& get() const { return record_; }
    Record* operator->() { return &record_; }
    const Record* operator->() const { return &record_; }

  private:
    Record record_{};
};

using PackInfo = Owned<VEXLPACKINFO_T, vexlPackInfoKill>;
using WadInfo = Owned<VEXLWADINFO_T, VEXLWADKILL>;
using Palette = Owned<VEXLPALETTE_T, vexlPaletteKill>;
using Picture = Owned<VEXLPICTURE_T, vexlPictureKill>;
using Sprite = Owned<VEXLSPRITE_T, vexlSpriteKill>;
using Model = Owned<VEXLMODEL_T, vexlModelKill>;

// A block that the library handed over bare; released with free().
template <typename T> class HeapBlock {
  public:
    HeapBlock() = default;
    explicit HeapBlock(T* data) : data_(data) {}
    ~HeapBlock() { std::free(data_); }
    HeapBlock(HeapBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
        other.data_ = nullptr;
        other.size_ = 0;
    }
    HeapBlock& operator=(HeapBlock&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;

    T*& data() { return data_; }
    const T* data() const { return data_; }
    uint32_t& size() { return size_; }
    uint32_t size() const { return size_; }

  private:
    T* data_ = nullptr;
    uint32_t size_ = 0;
};

using Bytes = HeapBlock<uint8_t>;

// Where a file comes from: a PAK archive, or the disk when `archive` is empty.
struct Source {
    std::string archive;
    std::string name;

    // "ARCHIVE:NAME" or "NAME", for messages.
    std::string describe() const;
};

// The whole file, from disk or from inside the archive; throws on failure.
Bytes loadBytes(const Source& source);

// The type code of vexlWhatIs for bytes in memory.
enum class Kind : int32_t {
    Unknown = 0,
    Pak = 1,
    Wad = 2,
    Model = 4,
    Sprite = 8,
    Riff = 9,
    Picture = 10,
    Palette = 11,
    ColorMap = 12,
    Block4000 = 13,
};

Kind whatIs(const Bytes& bytes);
const char* kindName(Kind kind);

// The buffer loaders, throwing with a message naming `what` on failure.
void loadPicture(const Bytes& bytes, Picture& picture, const std::string& what);
void loadSprite(const Bytes& bytes, Sprite& sprite, const std::string& what);
void loadModel(const Bytes& bytes, Model& model, const std::string& what);
void loadPalette(const Bytes& bytes, Palette& palette, const std::string& what);
void loadColorMap(const Bytes& bytes, Palette& palette, const std::string& what);
void readPack(const std::string& archive, PackInfo& info);
void readWad(const Bytes& bytes, WadInfo& info, const std::string& what);

// Library paths use "\" between parts; the tool shows and matches "/".
std::string displayName(std::string_view libraryName);

} // namespace vexl::cli
