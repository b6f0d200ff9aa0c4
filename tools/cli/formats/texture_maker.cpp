#include "formats/texture_maker.hpp"

#include "failure.hpp"
#include "formats/wad2.hpp"

#include <cstring>
#include <limits>

namespace vexl::cli {
namespace {

constexpr uint32_t kOpaqueFrom = 128;

void putU32(std::vector<uint8_t>& out, uint64_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void putName(std::vector<uint8_t>& out, const std::string& name, size_t width) {
    const size_t start = out.size();
    out.resize(start + width, 0);
    std::memcpy(out.data() + start, name.data(), std::min(name.size(), width - 1));
}

int channel(uint32_t color, int shift) {
    return static_cast<int>((color >> shift) & 0xFFU);
}

// Level `level` of the picture: each pixel the average colour of the opaque
// pixels of its block, or transparent when most of the block is.
std::vector<uint8_t> levelIndices(const DecodedPng& picture, uint32_t level, PaletteMatcher& opaque,
                                  bool transparent) {
    const uint32_t block = 1U << level;
    const uint32_t width = picture.width >> level;
    const uint32_t height = picture.height >> level;
    std::vector<uint8_t> indices;
    indices.reserve(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint64_t sum[3] = {0, 0, 0};
            uint32_t solid = 0;
            for (uint32_t dy = 0; dy < block; ++dy) {
                for (uint32_t dx = 0; dx < block; ++dx) {
                    const uint32_t color =
                        picture.colors[size_t{y * block + dy} * picture.width + x * block + dx];
                    if (transparent && (color >> 24U) < kOpaqueFrom) {
                        continue;
                    }
                    sum[0] += static_cast<uint64_t>(channel(color, 16));
                    sum[1] += static_cast<uint64_t>(channel(color, 8));
                    sum[2] += static_cast<uint64_t>(channel(color, 0));
                    ++solid;
                }
            }
            if (transparent && solid * 2 <= block * block) {
                indices.push_back(kTransparentIndex);
                continue;
            }
            uint32_t average = 0xFF000000U;
            for (int c = 0; c < 3; ++c) {
                average |= static_cast<uint32_t>((sum[c] + solid / 2) / solid) << (16 - 8 * c);
            }
            indices.push_back(opaque.nearest(average));
        }
    }
    return indices;
}

} // namespace

PaletteMatcher::PaletteMatcher(std::span<const uint32_t> colors, std::vector<bool> allowed)
    : allowed_(std::move(allowed)) {
    for (size_t i = 0; i < colors_.size() && i < colors.size(); ++i) {
        colors_[i] = colors[i];
    }
}

uint8_t PaletteMatcher::nearest(uint32_t color) {
    color &= 0x00FFFFFFU;
    if (const auto known = known_.find(color); known != known_.end()) {
        return known->second;
    }
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 256; ++i) {
        if (!allowed_[static_cast<size_t>(i)]) {
            continue;
        }
        int distance = 0;
        for (const int shift : {16, 8, 0}) {
            const int difference = channel(color, shift) - channel(colors_[i], shift);
            distance += difference * difference;
        }
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    known_[color] = static_cast<uint8_t>(best);
    return static_cast<uint8_t>(best);
}

PaletteMatcher PaletteMatcher::withoutLastIndex() const {
    std::vector<bool> allowed = allowed_;
    allowed[kTransparentIndex] = false;
    return PaletteMatcher(colors_, allowed);
}

std::vector<bool> fullbrightIndices(std::span<const uint8_t> colorMap, uint32_t rows) {
    std::vector<bool> fullbright(256, rows != 0);
    for (uint32_t row = 0; row < rows; ++row) {
        for (uint32_t i = 0; i < 256; ++i) {
            if (colorMap[size_t{row} * 256 + i] != i) {
                fullbright[i] = false;
            }
        }
    }
    return fullbright;
}

std::vector<uint8_t> makeTexture(const std::string& name, const DecodedPng& picture,
                                 PaletteMatcher& opaque, bool transparent) {
    std::vector<uint8_t> out;
    putName(out, name, kTextureNameBytes);
    putU32(out, picture.width);
    putU32(out, picture.height);
    uint64_t offset = kTextureHeaderBytes;
    for (uint32_t level = 0; level < kMipLevels; ++level) {
        putU32(out, offset);
        offset += uint64_t{picture.width >> level} * (picture.height >> level);
    }
    if (offset > std::numeric_limits<uint32_t>::max()) {
        throw Failure(name + ": a texture too large for the format's 32-bit offsets");
    }
    for (uint32_t level = 0; level < kMipLevels; ++level) {
        const std::vector<uint8_t> indices = levelIndices(picture, level, opaque, transparent);
        out.insert(out.end(), indices.begin(), indices.end());
    }
    return out;
}

std::vector<uint8_t> buildWad2(const std::vector<WadEntryToWrite>& entries) {
    std::vector<uint8_t> out{'W', 'A', 'D', '2'};
    putU32(out, entries.size());
    putU32(out, 0); // the directory's offset, set below
    std::vector<uint64_t> positions;
    for (const WadEntryToWrite& entry : entries) {
        positions.push_back(out.size());
        out.insert(out.end(), entry.bytes.begin(), entry.bytes.end());
    }
    const uint64_t directory = out.size();
    if (directory + uint64_t{32} * entries.size() > std::numeric_limits<uint32_t>::max()) {
        throw Failure("the WAD2 archive would pass 4 GiB, the most its 32-bit offsets reach");
    }
    for (size_t i = 0; i < 4; ++i) {
        out[8 + i] = static_cast<uint8_t>(directory >> (8 * i));
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        putU32(out, positions[i]);
        putU32(out, entries[i].bytes.size());
        putU32(out, entries[i].bytes.size());
        out.push_back(entries[i].type);
        out.push_back(0); // not compressed
        out.push_back(0);
        out.push_back(0);
        putName(out, entries[i].name, kTextureNameBytes);
    }
    return out;
}

} // namespace vexl::cli
