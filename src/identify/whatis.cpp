// Type identification sits above the format modules: it asks each format
// for its own magic and sizes.
#include "identify/whatis.hpp"

#include "archive/pak.hpp"
#include "archive/wad2.hpp"
#include "frame/cursor.hpp"
#include "frame/status.hpp"
#include "image/palette.hpp"
#include "image/picture.hpp"
#include "image/sprite.hpp"
#include "model/model_format.hpp"

#include <string_view>

namespace vexl {
namespace {

struct Magic {
    std::string_view text;
    int32_t type;
};

// Compared whole and case-sensitively, in this order. A container of chunks
// and a file of 4000 bytes are recognised but have no loader here.
constexpr Magic kMagics[] = {
    {pak::kMagic, filetype::kPak},   {wad2::kMagic, filetype::kWad2},
    {mdl::kMagic, filetype::kModel}, {sprite::kMagic, filetype::kSprite},
    {"RIFF", filetype::kRiff},
};
constexpr uint32_t kMagicWidth = 4;
constexpr uint32_t kFourThousandSize = 4000;

// The colormaps that files carry: 32 or 64 rows and the tail byte.
constexpr uint32_t colorMapSize(uint32_t rows) {
    return rows * palette::kRowSize + palette::kColorMapTailSize;
}

int32_t found(int32_t& type, int32_t code) {
    type = code;
    return status::kOk;
}

} // namespace

int32_t whatIs(const uint8_t* const& buffer, const uint32_t& size, int32_t& type) {
    // The magic is the text of the first four bytes, up to a zero among
    // them; with no bytes at all it is empty and matches nothing.
    const std::string_view magic = ByteCursor(buffer, size).readText(kMagicWidth);
    for (const Magic& candidate : kMagics) {
        if (magic == candidate.text) {
            return found(type, candidate.type);
        }
    }

    ByteCursor dimensions(buffer, size);
    const uint32_t width = dimensions.readLong();
    const uint32_t height = dimensions.readLong();
    // Unsigned 32-bit arithmetic: the product wraps, as the test always has.
    if (size == width * height + picture::kHeaderSize) {
        return found(type, filetype::kPicture);
    }
    if (size == palette::kFileSize) {
        return found(type, filetype::kPalette);
    }
    if (size == colorMapSize(32) || size == colorMapSize(64)) {
        return found(type, filetype::kColorMap);
    }
    if (size == kFourThousandSize) {
        return found(type, filetype::kFourThousand);
    }
    type = filetype::kUnsupported;
    return status::kTypeUnsupported;
}

} // namespace vexl
