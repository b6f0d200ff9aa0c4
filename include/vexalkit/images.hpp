// Palettes, pictures and sprites.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/bytes.hpp"
#include "vexalkit/counts.hpp"
#include "vexalkit/error.hpp"
#include "vexalkit/formats.hpp"
#include "vexalkit/owner.hpp"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <vector>
#include <stdexcept>

namespace vexalkit {

// 256 colours and, once loaded, a colormap of rows of 256 palette indices.
class Palette : public detail::Owner<VEXLPALETTE_T> {
  public:
    // A palette file of exactly 768 bytes. Throws Error (NotPalette).
    static Palette load(std::span<const uint8_t> bytes) {
        return detail::loadOwned<Palette>(bytes);
    }

    // Adds a colormap file (rows x 256 bytes + 1) to this palette. Throws
    // Error: NotColorMap for a wrong size, ColorMapLoaded when this palette
    // has one already (both keep what the palette held), ColorMapBeforePalette
    // on an empty palette. To replace a colormap, load the palette again.
    void loadColorMap(std::span<const uint8_t> bytes) {
        check(vexlColorMapLoad(bytes.data(), detail::sizeOf(bytes), record_));
    }

    // 256 colours 0xFFRRGGBB; empty for an empty palette.
    std::span<const uint32_t> colors() const noexcept {
        return {record_.colors, record_.colors == nullptr ? 0 : format::kPaletteColors};
    }
    uint32_t colorMapRows() const noexcept {
        return record_.colorMap == nullptr ? 0 : record_.colorMapRows;
    }
    // colorMapRows() rows of 256 palette indices.
    std::span<const uint8_t> colorMap() const noexcept {
        return {record_.colorMap, std::size_t{colorMapRows()} * format::kColorMapRowBytes};
    }
    bool empty() const noexcept { return record_.colors == nullptr; }

    // A copy of this palette's colours with the colormap file `bytes` added,
    // for drawing a colormap through a palette that holds another or none.
    // Throws as loadColorMap does (ColorMapBeforePalette on an empty one).
    Palette withColorMap(std::span<const uint8_t> bytes) const {
        std::vector<uint8_t> triples;
        triples.reserve(format::kPaletteBytes);
        for (const uint32_t color : colors()) {
            triples.insert(triples.end(), {static_cast<uint8_t>(color >> 16U),
                                           static_cast<uint8_t>(color >> 8U),
                                           static_cast<uint8_t>(color)});
        }
        Palette copy;
        if (!triples.empty()) {
            copy = load(triples);
        }
        copy.loadColorMap(bytes);
        return copy;
    }

    // The rows of the colormap file `bytes`, checked as loadColorMap checks
    // them. The library reads a colormap only into a palette record, so a
    // palette of black serves here.
    static uint32_t colorMapRowsOf(std::span<const uint8_t> bytes) {
        Palette black = load(std::vector<uint8_t>(format::kPaletteBytes, 0));
        black.loadColorMap(bytes);
        return black.colorMapRows();
    }
};

// A picture someone else owns: a stand-alone picture, a sprite slot or a
// model skin. Valid while its owner lives and is not reloaded.
class PictureView {
  public:
    PictureView() = default;
    explicit PictureView(const VEXLPICTURE_T& picture) noexcept : picture_(&picture) {}

    uint32_t width() const noexcept { return picture_ == nullptr ? 0 : picture_->width; }
    uint32_t height() const noexcept { return picture_ == nullptr ? 0 : picture_->height; }
    // width() x height() palette indices, row after row.
    std::span<const uint8_t> pixels() const noexcept {
        if (picture_ == nullptr || picture_->pixels == nullptr) {
            return {};
        }
        return {picture_->pixels, std::size_t{picture_->width} * picture_->height};
    }
    bool empty() const noexcept { return pixels().empty(); }
    const VEXLPICTURE_T* record() const noexcept { return picture_; }

    // The pixels as colours 0xFFRRGGBB (see Colors). Without `row`, straight
    // through the palette; with it, through that colormap row first (rows
    // past the last use the last; a palette without colormap ignores it).
    // `row` is the caller's value: the layer passes a copy, which the
    // library rewrites. An empty picture gives an empty block. Throws
    // std::invalid_argument for an empty palette, std::bad_alloc when the
    // colours cannot be allocated.
    Colors toRGBA(const VEXLPALETTE_T& palette, std::optional<uint32_t> row = {}) const {
        if (empty()) {
            return {};
        }
        if (palette.colors == nullptr) {
            throw std::invalid_argument("palette holds no colours");
        }
        constexpr uint32_t kLastRow = std::numeric_limits<int32_t>::max();
        int32_t shading = row ? static_cast<int32_t>(*row < kLastRow ? *row : kLastRow) : -1;
        uint32_t* const colors = vexlPictureToRGB(*picture_, palette, shading);
        if (colors == nullptr) {
            throw std::bad_alloc();
        }
        return Colors::adopt(colors, pixels().size());
    }
    template <typename Owner>
    Colors toRGBA(const Owner& palette, std::optional<uint32_t> row = {}) const {
        return toRGBA(palette.record(), row);
    }

  private:
    const VEXLPICTURE_T* picture_ = nullptr;
};

// A stand-alone picture file.
class Picture : public detail::Owner<VEXLPICTURE_T> {
  public:
    // Width and height (32 bits each), then the pixels. Throws Error
    // (NotPicture) when the size does not match width x height + 8.
    static Picture load(std::span<const uint8_t> bytes) {
        return detail::loadOwned<Picture>(bytes);
    }

    PictureView view() const noexcept { return PictureView(record_); }
    uint32_t width() const noexcept { return record_.width; }
    uint32_t height() const noexcept { return record_.height; }
    std::span<const uint8_t> pixels() const noexcept { return view().pixels(); }
    Colors toRGBA(const Palette& palette, std::optional<uint32_t> row = {}) const {
        return view().toRGBA(palette.record(), row);
    }
};

// One slot of a sprite: a single frame, a picture of a group, or the empty
// slot each group leaves behind its pictures.
struct SpriteSlot {
    PictureView picture;
    int32_t originX = 0;
    int32_t originY = 0;
    // The display time of a group picture; 0 for single frames.
    float interval = 0;
    bool empty = true;
};

class Sprite : public detail::Owner<VEXLSPRITE_T> {
  public:
    // Throws Error: NotSprite, SpriteVersion, SpriteWidth, SpriteHeight,
    // SpriteNoFrame, or another status for counts the library refuses.
    static Sprite load(std::span<const uint8_t> bytes) { return detail::loadOwned<Sprite>(bytes); }

    uint8_t type() const noexcept { return record_.type; }
    uint8_t syncType() const noexcept { return record_.syncType; }
    // Single frames, group pictures and one empty slot per group.
    std::size_t slotCount() const noexcept {
        return record_.pictures == nullptr ? 0 : static_cast<std::size_t>(spriteSlots(record_));
    }
    // Slot `index` (below slotCount(); std::out_of_range otherwise).
    SpriteSlot slot(std::size_t index) const {
        if (index >= slotCount()) {
            throw std::out_of_range("sprite slot out of range");
        }
        const VEXLPICTURE_T& picture = record_.pictures[index];
        return {PictureView(picture), record_.originX[index], record_.originY[index],
                record_.intervals[index], picture.pixels == nullptr};
    }
};

} // namespace vexalkit
