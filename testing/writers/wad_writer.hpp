// WAD2 archives in memory: a 12-byte header, the files' bytes back to back,
// then the directory of 32-byte entries.
#pragma once

#include "writers/byte_writer.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vexl::writers {

struct WadFile {
    std::string name;
    Bytes data;
    uint8_t type = 0;
    uint8_t compression = 0;
};

constexpr uint32_t kWadHeaderSize = 12;
constexpr uint32_t kWadEntrySize = 32;

// The header alone; the directory follows wherever `dirOffset` says.
inline void wadHeader(ByteWriter& out, uint32_t entryCount, uint32_t dirOffset) {
    out.text("WAD2").u32(entryCount).u32(dirOffset);
}

// One directory entry. `padding` fills the two bytes between the
// compression byte and the name, which readers skip.
inline void wadEntry(ByteWriter& out, std::string_view name, uint32_t filePos, uint32_t diskLen,
                     uint32_t fileLen, uint8_t type = 0, uint8_t compression = 0,
                     uint8_t padding = 0) {
    out.u32(filePos).u32(diskLen).u32(fileLen).u8(type).u8(compression);
    out.fill(2, padding).field(name, 16);
}

// A mip-mapped texture entry: a 16-byte name, width, height, four offsets,
// then the four pictures (full size, halved, quartered, eighthed), pixel
// (x, y) of level l being pixel(l, x, y). The offsets are the true ones
// unless `offsets` gives others.
inline Bytes mipTextureBytes(std::string_view name, uint32_t width, uint32_t height,
                             const std::function<uint8_t(uint32_t, uint32_t, uint32_t)>& pixel,
                             const std::vector<uint32_t>& offsets = {}) {
    ByteWriter texture;
    texture.field(name, 16).u32(width).u32(height);
    uint32_t at = 16 + 4 * 6;
    for (uint32_t level = 0; level < 4; ++level) {
        texture.u32(level < offsets.size() ? offsets[level] : at);
        at += (width >> level) * (height >> level);
    }
    for (uint32_t level = 0; level < 4; ++level) {
        for (uint32_t y = 0; y < (height >> level); ++y) {
            for (uint32_t x = 0; x < (width >> level); ++x) {
                texture.u8(pixel(level, x, y));
            }
        }
    }
    return texture.take();
}

inline Bytes buildWad(const std::vector<WadFile>& files) {
    ByteWriter body;
    std::vector<uint32_t> positions;
    for (const WadFile& file : files) {
        positions.push_back(kWadHeaderSize + static_cast<uint32_t>(body.size()));
        body.bytes(file.data);
    }
    ByteWriter archive;
    wadHeader(archive, static_cast<uint32_t>(files.size()),
              kWadHeaderSize + static_cast<uint32_t>(body.size()));
    archive.bytes(body.data());
    for (size_t i = 0; i < files.size(); ++i) {
        const auto length = static_cast<uint32_t>(files[i].data.size());
        wadEntry(archive, files[i].name, positions[i], length, length, files[i].type,
                 files[i].compression);
    }
    return archive.take();
}

} // namespace vexl::writers
