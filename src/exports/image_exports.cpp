// Entry points of the image family: palettes, colormaps, pictures, sprites.
#include "archive/file_load.hpp"
#include "exports/guard.hpp"
#include "frame/status.hpp"
#include "image/palette.hpp"
#include "image/picture.hpp"
#include "image/sprite.hpp"

extern "C" {

void vexlPaletteKill(VEXLPALETTE_T& palette) {
    vexl::guarded([&] { vexl::paletteKill(palette); });
}

void vexlPictureKill(VEXLPICTURE_T& picture) {
    vexl::guarded([&] { vexl::pictureKill(picture); });
}

uint32_t* vexlPictureToRGB(const VEXLPICTURE_T& picture, const VEXLPALETTE_T& palette,
                           int32_t& row) {
    return vexl::guarded(static_cast<uint32_t*>(nullptr),
                         [&] { return vexl::pictureToRGB(picture, palette, row); });
}

void vexlSpriteKill(VEXLSPRITE_T& sprite) {
    vexl::guarded([&] { vexl::spriteKill(sprite); });
}

} // extern "C"

int32_t vexlPaletteLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                        VEXLPALETTE_T& palette) {
    return vexl::guarded(vexl::status::kPaletteNoMemory,
                         [&] { return vexl::paletteLoad(buffer, bufferSize, palette); });
}

int32_t vexlPaletteLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLPALETTE_T& palette) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::loadByName(archiveName, fileName, ".lmp",
                                [&](const uint8_t* const& bytes, const uint32_t& size) {
                                    return vexl::paletteLoad(bytes, size, palette);
                                });
    });
}

int32_t vexlColorMapLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                         VEXLPALETTE_T& palette) {
    return vexl::guarded(vexl::status::kColorMapNoMemory,
                         [&] { return vexl::colorMapLoad(buffer, bufferSize, palette); });
}

int32_t vexlColorMapLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLPALETTE_T& palette) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::loadByName(archiveName, fileName, ".lmp",
                                [&](const uint8_t* const& bytes, const uint32_t& size) {
                                    return vexl::colorMapLoad(bytes, size, palette);
                                });
    });
}

int32_t vexlPictureLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                        VEXLPICTURE_T& picture) {
    return vexl::guarded(vexl::status::kPictureNoMemory,
                         [&] { return vexl::pictureLoad(buffer, bufferSize, picture); });
}

int32_t vexlPictureLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLPICTURE_T& picture) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::loadByName(archiveName, fileName, ".lmp",
                                [&](const uint8_t* const& bytes, const uint32_t& size) {
                                    return vexl::pictureLoad(bytes, size, picture);
                                });
    });
}

int32_t vexlSpriteLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                       VEXLSPRITE_T& sprite) {
    return vexl::guarded(vexl::status::kSpriteNoMemory,
                         [&] { return vexl::spriteLoad(buffer, bufferSize, sprite); });
}

int32_t vexlSpriteLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLSPRITE_T& sprite) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::loadByName(archiveName, fileName, ".spr",
                                [&](const uint8_t* const& bytes, const uint32_t& size) {
                                    return vexl::spriteLoad(bytes, size, sprite);
                                });
    });
}
