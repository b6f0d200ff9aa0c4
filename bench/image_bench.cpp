// Pictures, sprites, palettes with their colormap, and the expansion of a
// picture to 32-bit colours.
#include "harness.hpp"
#include "writers/image_writer.hpp"

#include "vexalkit.hpp"

#include <memory>

namespace vexl::bench {
namespace {

using writers::SpritePicture;
using writers::SpriteWriter;

constexpr uint32_t kPictureSide = 1024;
constexpr uint32_t kPictureHeaderBytes = 8;
constexpr uint32_t kSpriteFrames = 64;
constexpr uint32_t kSpriteSide = 256;
constexpr uint32_t kSpriteHeaderBytes = 36;
constexpr uint32_t kSpriteFrameLeadBytes = 4 + 16; // kind, origins, size
constexpr uint32_t kColorMapRows = 64;
constexpr uint32_t kPaletteBytes = 768;

// Palette indices with some structure and no long runs.
Bytes pixels(uint32_t count, uint32_t seed) {
    Bytes values(count);
    uint32_t state = seed * 2654435761u + 1;
    for (uint32_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        values[i] = static_cast<uint8_t>((i % 61) + (state >> 28));
    }
    return values;
}

const Bytes& pictureInput() {
    static const Bytes bytes =
        writers::pictureBytes(kPictureSide, kPictureSide, pixels(kPictureSide * kPictureSide, 1));
    return bytes;
}

const Bytes& spriteInput() {
    static const Bytes bytes = [] {
        SpriteWriter sprite;
        sprite.size(kSpriteSide, kSpriteSide);
        for (uint32_t frame = 0; frame < kSpriteFrames; ++frame) {
            sprite.single(SpritePicture{-128, 128, kSpriteSide, kSpriteSide,
                                        pixels(kSpriteSide * kSpriteSide, frame)});
        }
        return sprite.build();
    }();
    return bytes;
}

Bytes paletteFile() {
    std::vector<writers::Rgb> colors;
    for (uint32_t i = 0; i < 256; ++i) {
        colors.push_back(
            {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7)});
    }
    return writers::paletteBytes(colors);
}

Bytes colorMapFile() {
    return writers::colorMapBytes(
        kColorMapRows,
        [](uint32_t row, uint32_t index) { return static_cast<uint8_t>(index * row / 64); }, 7);
}

// The palette file followed by the colormap file.
const Bytes& paletteInput() {
    static const Bytes bytes =
        writers::ByteWriter().bytes(paletteFile()).bytes(colorMapFile()).take();
    return bytes;
}

void addPictureCase() {
    addVariant("picture", "lib", [] {
        const Bytes& bytes = pictureInput();
        return job(bytes.size(), [&bytes] {
            const uint8_t* const data = bytes.data();
            const auto size = static_cast<uint32_t>(bytes.size());
            VEXLPICTURE_T picture{};
            benchmark::DoNotOptimize(vexlPictureLoad(data, size, picture));
            vexlPictureKill(picture);
        });
    });
    addFloor("picture", pictureInput, [](const Bytes& bytes) {
        return std::vector<Block>{
            {bytes.size() - kPictureHeaderBytes, bytes.data() + kPictureHeaderBytes}};
    });
    addInputCopy("picture", pictureInput);
}

void addSpriteCase() {
    addVariant("sprite", "lib", [] {
        const Bytes& bytes = spriteInput();
        return job(bytes.size(), [&bytes] {
            const uint8_t* const data = bytes.data();
            const auto size = static_cast<uint32_t>(bytes.size());
            VEXLSPRITE_T sprite{};
            benchmark::DoNotOptimize(vexlSpriteLoad(data, size, sprite));
            vexlSpriteKill(sprite);
        });
    });
    // The four slot arrays, then each frame's pixels straight from the file.
    addFloor("sprite", spriteInput, [](const Bytes& bytes) {
        std::vector<Block> blocks = {{kSpriteFrames * sizeof(VEXLPICTURE_T), nullptr},
                                     {kSpriteFrames * sizeof(int32_t), nullptr},
                                     {kSpriteFrames * sizeof(int32_t), nullptr},
                                     {kSpriteFrames * sizeof(float), nullptr}};
        const uint32_t frameBytes = kSpriteFrameLeadBytes + kSpriteSide * kSpriteSide;
        for (uint32_t frame = 0; frame < kSpriteFrames; ++frame) {
            const uint32_t offset = kSpriteHeaderBytes + frame * frameBytes + kSpriteFrameLeadBytes;
            blocks.push_back({kSpriteSide * kSpriteSide, bytes.data() + offset});
        }
        return blocks;
    });
    addInputCopy("sprite", spriteInput);
}

void addPaletteCase() {
    addVariant("palette_colormap", "lib", [] {
        const Bytes& bytes = paletteInput();
        return job(bytes.size(), [&bytes] {
            const uint8_t* const palette = bytes.data();
            const uint8_t* const colorMap = bytes.data() + kPaletteBytes;
            const uint32_t paletteSize = kPaletteBytes;
            const auto colorMapSize = static_cast<uint32_t>(bytes.size() - kPaletteBytes);
            VEXLPALETTE_T record{};
            benchmark::DoNotOptimize(vexlPaletteLoad(palette, paletteSize, record));
            benchmark::DoNotOptimize(vexlColorMapLoad(colorMap, colorMapSize, record));
            vexlPaletteKill(record);
        });
    });
    // The colours are computed; the colormap rows come straight from the file.
    addFloor("palette_colormap", paletteInput, [](const Bytes& bytes) {
        return std::vector<Block>{{256 * sizeof(uint32_t), nullptr},
                                  {kColorMapRows * 256, bytes.data() + kPaletteBytes}};
    });
    addInputCopy("palette_colormap", paletteInput);
}

// A loaded picture and palette shared by the expansion cases.
struct Expansion {
    VEXLPICTURE_T picture{};
    VEXLPALETTE_T palette{};
    Expansion() {
        const Bytes& picture_bytes = pictureInput();
        const uint8_t* data = picture_bytes.data();
        auto size = static_cast<uint32_t>(picture_bytes.size());
        vexlPictureLoad(data, size, picture);
        const Bytes& palette_bytes = paletteInput();
        data = palette_bytes.data();
        size = kPaletteBytes;
        vexlPaletteLoad(data, size, palette);
        data = palette_bytes.data() + kPaletteBytes;
        size = static_cast<uint32_t>(palette_bytes.size() - kPaletteBytes);
        vexlColorMapLoad(data, size, palette);
    }
    ~Expansion() {
        vexlPictureKill(picture);
        vexlPaletteKill(palette);
    }
    uint64_t pixelCount() const { return static_cast<uint64_t>(picture.width) * picture.height; }
};

const Expansion& expansion() {
    static const Expansion shared;
    return shared;
}

// The plain loop: allocate the colours, look every pixel up, free.
void plainExpand(const Expansion& in, const uint8_t* row) {
    const uint64_t count = in.pixelCount();
    auto* colors = static_cast<uint32_t*>(std::malloc(count * sizeof(uint32_t)));
    const uint8_t* source = in.picture.pixels;
    const uint32_t* palette = in.palette.colors;
    if (row == nullptr) {
        for (uint64_t i = 0; i < count; ++i) {
            colors[i] = palette[source[i]];
        }
    } else {
        for (uint64_t i = 0; i < count; ++i) {
            colors[i] = palette[row[source[i]]];
        }
    }
    benchmark::DoNotOptimize(colors);
    std::free(colors);
}

void addExpansionCase(const std::string& name, int32_t rowNumber) {
    addVariant(name, "lib", [rowNumber] {
        const Expansion& in = expansion();
        return job(in.pixelCount(), [&in, rowNumber] {
            int32_t row = rowNumber;
            uint32_t* colors = vexlPictureToRGB(in.picture, in.palette, row);
            benchmark::DoNotOptimize(colors);
            std::free(colors);
        });
    });
    addVariant(name, "plain", [rowNumber] {
        const Expansion& in = expansion();
        const uint8_t* row = rowNumber < 0 ? nullptr : in.palette.colorMap + rowNumber * 256;
        return job(in.pixelCount(), [&in, row] { plainExpand(in, row); });
    });
}

void registerImageCases() {
    addPictureCase();
    addSpriteCase();
    addPaletteCase();
    addExpansionCase("picture_to_rgb_direct", -1);
    addExpansionCase("picture_to_rgb_colormap", 5);
}

const Registrar registrar(registerImageCases);

} // namespace
} // namespace vexl::bench
