#include "formats/wad2.hpp"

#include "failure.hpp"
#include "vexalkit/formats.hpp"

#include <cstring>

namespace vexl::cli {
namespace {

uint32_t u32At(std::span<const uint8_t> bytes, size_t at) {
    return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8U | uint32_t{bytes[at + 2]} << 16U |
           uint32_t{bytes[at + 3]} << 24U;
}

} // namespace

bool wadEntryInside(const VEXLWADENTRY_T& entry, size_t archiveSize) {
    return entry.filePos >= vexalkit::format::kWadHeaderBytes && entry.diskLen != 0 &&
           uint64_t{entry.filePos} + entry.diskLen <= archiveSize;
}

std::optional<std::string> wadNameRefusal(std::string_view name) {
    if (name.find_first_of("/\\") != std::string_view::npos) {
        return "name holds a path separator";
    }
    return std::nullopt;
}

std::string wadTypeName(uint8_t type) {
    switch (type) {
    case wad_type::kPalette:
        return "palette";
    case wad_type::kPicture:
        return "picture";
    case wad_type::kTexture:
        return "mip-mapped texture";
    default:
        return "data of type " + std::to_string(type);
    }
}

MipTexture readMipTexture(std::span<const uint8_t> bytes, const std::string& what) {
    if (bytes.size() < kTextureHeaderBytes) {
        throw Failure(what + ": a texture of " + std::to_string(bytes.size()) +
                      " bytes, shorter than its 40-byte header");
    }
    MipTexture texture;
    const auto* name = reinterpret_cast<const char*>(bytes.data());
    texture.name.assign(name, strnlen(name, kTextureNameBytes));
    texture.width = u32At(bytes, kTextureNameBytes);
    texture.height = u32At(bytes, kTextureNameBytes + 4);
    if (texture.width == 0 || texture.height == 0 || texture.width % 8 != 0 ||
        texture.height % 8 != 0) {
        throw Failure(what + ": texture of " + std::to_string(texture.width) + " x " +
                      std::to_string(texture.height) +
                      "; sides must be non-zero multiples of 8 as the game requires");
    }
    for (uint32_t level = 0; level < kMipLevels; ++level) {
        const uint64_t offset = u32At(bytes, kTextureNameBytes + 8 + 4 * level);
        const uint64_t size = uint64_t{texture.width >> level} * (texture.height >> level);
        if (offset < kTextureHeaderBytes || offset + size > bytes.size()) {
            throw Failure(what + ": mip level " + std::to_string(level) + " (" +
                          std::to_string(size) + " bytes at " + std::to_string(offset) +
                          ") lies outside the entry's " + std::to_string(bytes.size()) + " bytes");
        }
        texture.levels[level] = bytes.subspan(offset, size);
    }
    return texture;
}

} // namespace vexl::cli
