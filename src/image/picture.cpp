#include "image/picture.hpp"

#include "frame/blocks.hpp"
#include "frame/checked.hpp"
#include "frame/cursor.hpp"
#include "frame/status.hpp"
#include "image/palette.hpp"

#include <algorithm>
#include <limits>

namespace vexl {
namespace {

// The caller's row variable comes back holding the row's offset, row × 256,
// so the last row usable is the last whose offset a signed 32-bit value holds.
constexpr int64_t kLastAddressableRow =
    std::numeric_limits<int32_t>::max() / static_cast<int32_t>(palette::kRowSize);

bool hasColorMap(const VEXLPALETTE_T& palette) {
    return palette.colorMap != nullptr && palette.colorMapRows != 0;
}

void expandDirect(const VEXLPICTURE_T& picture, const uint32_t* colors, uint64_t pixelCount,
                  uint32_t* result) {
    for (uint64_t i = 0; i < pixelCount; ++i) {
        result[i] = colors[picture.pixels[i]];
    }
}

void expandThroughRow(const VEXLPICTURE_T& picture, const VEXLPALETTE_T& palette,
                      uint64_t pixelCount, uint32_t rowOffset, uint32_t* result) {
    const uint8_t* row = palette.colorMap + rowOffset;
    for (uint64_t i = 0; i < pixelCount; ++i) {
        result[i] = palette.colors[row[picture.pixels[i]]];
    }
}

} // namespace

void pictureKill(VEXLPICTURE_T& picture) {
    picture.width = 0;
    picture.height = 0;
    freeBlock(picture.pixels);
}

int32_t pictureLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLPICTURE_T& picture) {
    if (buffer == nullptr || size == 0) {
        return status::kNoMemoryPointer;
    }
    pictureKill(picture);
    ByteCursor file(buffer, size);
    const uint32_t width = file.readLong();
    const uint32_t height = file.readLong();
    // Compared in 64 bits: a product that wraps in 32 bits must not match.
    const uint64_t pixelCount = static_cast<uint64_t>(width) * height;
    if (size < picture::kHeaderSize || pixelCount != size - picture::kHeaderSize) {
        return status::kNotPicture;
    }
    uint8_t* pixels = allocBlock<uint8_t>(pixelCount);
    if (pixels == nullptr) {
        return status::kPictureNoMemory;
    }
    file.readBytes(pixels, static_cast<uint32_t>(pixelCount));
    picture.width = width;
    picture.height = height;
    picture.pixels = pixels;
    return status::kOk;
}

uint32_t* pictureToRGB(const VEXLPICTURE_T& picture, const VEXLPALETTE_T& palette, int32_t& row) {
    if (picture.width == 0 || picture.height == 0 || picture.pixels == nullptr ||
        palette.colors == nullptr) {
        return nullptr;
    }
    const uint64_t pixelCount = static_cast<uint64_t>(picture.width) * picture.height;
    uint64_t resultBytes = 0;
    if (!checkedMul<uint64_t>(pixelCount, sizeof(uint32_t), resultBytes) ||
        resultBytes > std::numeric_limits<uint32_t>::max()) {
        return nullptr;
    }
    // Both expansions below write every element.
    uint32_t* result = allocBlockForOverwrite<uint32_t>(pixelCount);
    if (result == nullptr) {
        return nullptr;
    }
    if (row < 0 || !hasColorMap(palette)) {
        expandDirect(picture, palette.colors, pixelCount, result);
        return result;
    }
    const int64_t lastRow =
        std::min<int64_t>(static_cast<int64_t>(palette.colorMapRows) - 1, kLastAddressableRow);
    const int64_t used = std::min<int64_t>(row, lastRow);
    row = static_cast<int32_t>(used * palette::kRowSize);
    expandThroughRow(picture, palette, pixelCount, static_cast<uint32_t>(row), result);
    return result;
}

} // namespace vexl
