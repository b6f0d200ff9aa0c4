#include "frame/whatis.hpp"

#include "frame/reader.hpp"
#include "frame/status.hpp"

#include <string_view>

namespace vexl {
namespace {

struct Magic {
    std::string_view text;
    int32_t type;
};

// Compared whole and case-sensitively, in this order.
constexpr Magic kMagics[] = {
    {"PACK", filetype::kPak},    {"WAD2", filetype::kWad2}, {"IDPO", filetype::kModel},
    {"IDSP", filetype::kSprite}, {"RIFF", filetype::kRiff},
};

constexpr uint32_t kMagicWidth = 4;
constexpr uint32_t kPictureHeaderSize = 8;
constexpr uint32_t kPaletteSize = 768;
constexpr uint32_t kColorMapRowSize = 256;
// A colormap's rows are followed by one more byte.
constexpr uint32_t kShortColorMapSize = 32 * kColorMapRowSize + 1;
constexpr uint32_t kLongColorMapSize = 64 * kColorMapRowSize + 1;
constexpr uint32_t kFourThousandSize = 4000;

int32_t found(int32_t& type, int32_t code) {
    type = code;
    return status::kOk;
}

} // namespace

int32_t whatIs(const uint8_t* const& buffer, const uint32_t& size, int32_t& type) {
    uint32_t cursor = 0;
    bool taken = false;
    // The magic is the text of the first four bytes, up to a zero among
    // them; with no bytes at all it is empty and matches nothing.
    const std::string_view magic = vexlReadField(buffer, size, cursor, kMagicWidth, taken);
    for (const Magic& candidate : kMagics) {
        if (magic == candidate.text) {
            return found(type, candidate.type);
        }
    }

    cursor = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    vexlReadLong(buffer, size, cursor, width);
    vexlReadLong(buffer, size, cursor, height);
    // Unsigned 32-bit arithmetic: the product wraps, as the test always has.
    if (size == width * height + kPictureHeaderSize) {
        return found(type, filetype::kPicture);
    }
    if (size == kPaletteSize) {
        return found(type, filetype::kPalette);
    }
    if (size == kShortColorMapSize || size == kLongColorMapSize) {
        return found(type, filetype::kColorMap);
    }
    if (size == kFourThousandSize) {
        return found(type, filetype::kFourThousand);
    }
    type = filetype::kUnsupported;
    return status::kTypeUnsupported;
}

} // namespace vexl
