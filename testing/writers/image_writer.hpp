// Builders for the image formats: palettes, colormaps, pictures, sprites.
// The tests and the sample generator share them.
#pragma once

#include "writers/byte_writer.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vexl::writers {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// A 768-byte palette: the given entries first, black for the rest.
inline Bytes paletteBytes(const std::vector<Rgb>& first = {}) {
    ByteWriter palette;
    for (size_t index = 0; index < 256; ++index) {
        const Rgb color = index < first.size() ? first[index] : Rgb{};
        palette.u8(color.red).u8(color.green).u8(color.blue);
    }
    return palette.take();
}

// `rows` rows of 256 indices, entry i of row r being map(r, i), then `tail`.
inline Bytes colorMapBytes(uint32_t rows, const std::function<uint8_t(uint32_t, uint32_t)>& map,
                           uint8_t tail = 0) {
    ByteWriter colorMap;
    for (uint32_t row = 0; row < rows; ++row) {
        for (uint32_t index = 0; index < 256; ++index) {
            colorMap.u8(map(row, index));
        }
    }
    return colorMap.u8(tail).take();
}

// A picture file: width, height, then the pixels exactly as given (a test
// may give fewer or more than width × height).
inline Bytes pictureBytes(uint32_t width, uint32_t height, const Bytes& pixels) {
    return ByteWriter().u32(width).u32(height).bytes(pixels).take();
}

struct SpritePicture {
    int32_t originX = 0;
    int32_t originY = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    Bytes pixels; // written as given, so a last picture can be cut short
};

// Builds a sprite from single and grouped frames. The header is a valid one
// unless a setter says otherwise; raw() appends bytes as they are, for
// entries a test wants malformed.
class SpriteWriter {
  public:
    SpriteWriter& magic(std::string value) {
        magic_ = std::move(value);
        return *this;
    }
    SpriteWriter& version(uint32_t value) {
        version_ = value;
        return *this;
    }
    SpriteWriter& type(uint32_t value) {
        type_ = value;
        return *this;
    }
    SpriteWriter& size(uint32_t width, uint32_t height) {
        width_ = width;
        height_ = height;
        return *this;
    }
    // The frame count written in the header; by default the entries added.
    SpriteWriter& frameCount(uint32_t value) {
        frameCount_ = value;
        return *this;
    }
    SpriteWriter& syncType(uint32_t value) {
        syncType_ = value;
        return *this;
    }

    SpriteWriter& single(const SpritePicture& picture) {
        entries_.u32(0);
        writePicture(picture);
        ++frames_;
        return *this;
    }
    SpriteWriter& group(const std::vector<float>& intervals,
                        const std::vector<SpritePicture>& pictures) {
        entries_.u32(1).u32(static_cast<uint32_t>(pictures.size()));
        for (const float interval : intervals) {
            entries_.f32(interval);
        }
        for (const SpritePicture& picture : pictures) {
            writePicture(picture);
        }
        ++frames_;
        return *this;
    }
    SpriteWriter& raw(const Bytes& bytes) {
        entries_.bytes(bytes);
        return *this;
    }

    Bytes build() const {
        constexpr float kRadius = 1.0f;
        ByteWriter sprite;
        sprite.field(magic_, 4).u32(version_).u32(type_).f32(kRadius);
        sprite.u32(width_).u32(height_).u32(frameCount_.value_or(frames_));
        sprite.u32(0).u32(syncType_);
        return sprite.bytes(entries_.data()).take();
    }

  private:
    void writePicture(const SpritePicture& picture) {
        entries_.i32(picture.originX).i32(picture.originY).u32(picture.width).u32(picture.height);
        entries_.bytes(picture.pixels);
    }

    std::string magic_ = "IDSP";
    uint32_t version_ = 1;
    uint32_t type_ = 0;
    uint32_t width_ = 1;
    uint32_t height_ = 1;
    std::optional<uint32_t> frameCount_;
    uint32_t syncType_ = 0;
    ByteWriter entries_;
    uint32_t frames_ = 0;
};

} // namespace vexl::writers
