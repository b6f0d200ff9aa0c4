// Models: loading, reading the unrolled record, editing.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/bytes.hpp"
#include "vexalkit/counts.hpp"
#include "vexalkit/error.hpp"
#include "vexalkit/heap_string.hpp"
#include "vexalkit/images.hpp"
#include "vexalkit/owner.hpp"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

namespace vexalkit {

namespace detail {

// Frame names compare as the library compares them: blanks (32) trimmed from
// the start, blanks and zero bytes from the end, then byte for byte with A-Z
// lower-cased, and bytes from 128 up lowered by tolower() under the
// process's current locale.
inline std::string_view trimFrameName(std::string_view text) {
    const std::size_t first = std::min(text.find_first_not_of(' '), text.size());
    std::size_t last = text.size();
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\0')) {
        --last;
    }
    return text.substr(first, last - first);
}

inline char foldFrameNameByte(char value) {
    const auto byte = static_cast<unsigned char>(value);
    if (byte >= 128) {
        return static_cast<char>(std::tolower(byte));
    }
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : value;
}

inline bool sameFrameName(std::string_view left, std::string_view right) {
    left = trimFrameName(left);
    right = trimFrameName(right);
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [](char a, char b) { return foldFrameNameByte(a) == foldFrameNameByte(b); });
}

} // namespace detail

// A model with its skin and frame groups unrolled: skinSlots() pictures,
// frameCount() frames of vertexSlots() positions each (seam vertices get a
// back-side copy at the end).
class Model : public detail::Owner<VEXLMODEL_T> {
  public:
    // Throws Error with the library's status (NotModel, ModelVersion, ...).
    static Model load(std::span<const uint8_t> bytes) { return detail::loadOwned<Model>(bytes); }

    // The file `name` inside the PAK `archive` (or on disk when `archive` is
    // empty), read with readFile: the name is taken as given, ".mdl" is not
    // added. Throws Error, isNotFound() for a missing archive or entry.
    static Model load(std::string_view archive, std::string_view name) {
        const Bytes bytes = readFile(archive, name);
        return withContext(detail::describe(archive, name), [&] { return load(bytes.span()); });
    }

    bool empty() const noexcept { return record_.vertices == nullptr; }
    uint32_t skinSlots() const noexcept { return vexalkit::skinSlots(record_); }
    // All frames, the members of frame groups each counted.
    uint32_t frameCount() const noexcept { return frameSlots(record_); }
    uint32_t vertexSlots() const noexcept { return vexalkit::vertexSlots(record_); }
    int32_t flags() const noexcept { return record_.flags; }
    int32_t syncType() const noexcept { return record_.syncType; }

    std::span<const VEXLTRIANGLE_T> triangles() const noexcept {
        return {record_.triangles, record_.triangles == nullptr ? 0u : record_.triangleCount};
    }
    // Per vertex slot: x = s, y = t as fractions of the skin size, z = 0.
    std::span<const VEXLVECTOR_T> texCoords() const noexcept {
        return {record_.texCoords, record_.texCoords == nullptr ? 0u : vertexSlots()};
    }
    // Per vertex slot: the index of its back-side copy, 0 for none.
    std::span<const uint32_t> seamMap() const noexcept {
        return {record_.seamMap, record_.seamMap == nullptr ? 0u : vertexSlots()};
    }
    // Per frame: the frame count of the group that starts there, in its low
    // 8 bits only (a group of 256 frames shows as 0); 0 for other frames.
    std::span<const uint8_t> frameGroupSizes() const noexcept {
        return {record_.frameGroupSizes, record_.frameGroupSizes == nullptr ? 0u : frameCount()};
    }

    // Frame `index`'s vertexSlots() positions; std::out_of_range past the end.
    std::span<const VEXLVECTOR_T> frame(uint32_t index) const {
        requireFrame(index);
        return {record_.vertices + std::size_t{index} * vertexSlots(), vertexSlots()};
    }
    // Frame `index`'s name, at most 16 characters.
    std::string_view frameName(uint32_t index) const {
        requireFrame(index);
        return frameNameAt(record_, index);
    }
    // Skin slot `index`; the slot each skin group leaves at the end is empty.
    PictureView skin(uint32_t index) const {
        if (record_.skins == nullptr || index >= skinSlots()) {
            throw std::out_of_range("skin slot out of range");
        }
        return PictureView(record_.skins[index]);
    }

    // The first frame whose name equals `name` with blanks trimmed and case
    // folded as the library folds it; nullopt when none does.
    std::optional<uint32_t> findFrame(std::string_view name) const {
        if (empty() || frameCount() == 0 || vertexSlots() == 0 || record_.frameNames == nullptr) {
            return std::nullopt;
        }
        const int32_t index = vexlFrameNumber(record_, HeapString(name).get());
        if (index != 0) {
            return static_cast<uint32_t>(index);
        }
        // The library answers 0 both for frame 0 and for no match.
        if (detail::sameFrameName(frameNameAt(record_, 0), name)) {
            return 0u;
        }
        return std::nullopt;
    }

    // Multiplies every position by `factor`; 0, 1 and NaN change nothing.
    void scale(float factor) noexcept { vexlModelScale(record_, factor); }
    // Flips every texture coordinate's t: t becomes |t - 1|.
    void skinInv() noexcept { vexlModelSkinInv(record_); }
    // Stretches both halves of the skin over its whole width: s becomes 2s,
    // or 2(s - 0.5) above 0.5.
    void skinNoBack() noexcept { vexlModelSkinNoBack(record_); }
    // Reverses every triangle's winding (vertex 0 and 2 exchanged).
    void swapTris() noexcept { vexlModelSwapTris(record_); }

  private:
    void requireFrame(uint32_t index) const {
        if (empty() || index >= frameCount()) {
            throw std::out_of_range("frame out of range");
        }
    }
};

} // namespace vexalkit
