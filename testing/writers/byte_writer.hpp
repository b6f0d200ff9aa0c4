// Little-endian byte writers for building the game's file formats in memory.
// The tests and the sample generator both build their files with these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace vexl::writers {

using Bytes = std::vector<uint8_t>;

class ByteWriter {
  public:
    ByteWriter& u8(uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    ByteWriter& u32(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<uint8_t>(value >> shift));
        }
        return *this;
    }
    ByteWriter& i32(int32_t value) { return u32(static_cast<uint32_t>(value)); }
    ByteWriter& f32(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        return u32(bits);
    }
    ByteWriter& bytes(const Bytes& values) {
        bytes_.insert(bytes_.end(), values.begin(), values.end());
        return *this;
    }
    ByteWriter& text(std::string_view value) {
        bytes_.insert(bytes_.end(), value.begin(), value.end());
        return *this;
    }
    // A fixed-width text field: the text, then zero bytes up to `width`.
    ByteWriter& field(std::string_view value, size_t width) {
        const size_t count = value.size() < width ? value.size() : width;
        const size_t start = bytes_.size();
        bytes_.resize(start + width, 0);
        if (count != 0) {
            std::memcpy(bytes_.data() + start, value.data(), count);
        }
        return *this;
    }
    ByteWriter& fill(size_t count, uint8_t value = 0) {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    size_t size() const { return bytes_.size(); }
    const Bytes& data() const { return bytes_; }
    Bytes take() { return std::move(bytes_); }

  private:
    Bytes bytes_;
};

// A PAK archive: header, the files' bytes back to back, then the directory.
struct PakFile {
    std::string name;
    Bytes data;
};

constexpr uint32_t kPakHeaderSize = 12;
constexpr uint32_t kPakEntrySize = 64;

// The header alone; the directory lies wherever `dirOffset` and `dirLength` say.
inline void pakHeader(ByteWriter& out, uint32_t dirOffset, uint32_t dirLength) {
    out.text("PACK").u32(dirOffset).u32(dirLength);
}

// One directory entry: a 56-byte zero-padded name, the file's position and length.
inline void pakEntry(ByteWriter& out, std::string_view name, uint32_t filePos, uint32_t fileLen) {
    out.field(name, 56).u32(filePos).u32(fileLen);
}

inline Bytes buildPak(const std::vector<PakFile>& files) {
    ByteWriter body;
    std::vector<uint32_t> positions;
    for (const PakFile& file : files) {
        positions.push_back(kPakHeaderSize + static_cast<uint32_t>(body.size()));
        body.bytes(file.data);
    }
    ByteWriter archive;
    pakHeader(archive, kPakHeaderSize + static_cast<uint32_t>(body.size()),
              static_cast<uint32_t>(files.size()) * kPakEntrySize);
    archive.bytes(body.data());
    for (size_t i = 0; i < files.size(); ++i) {
        pakEntry(archive, files[i].name, positions[i], static_cast<uint32_t>(files[i].data.size()));
    }
    return archive.take();
}

} // namespace vexl::writers
