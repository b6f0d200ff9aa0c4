// The one owner of a record: zero-initialised, emptied by its Kill function
// when the owner goes away or is assigned over. Move-only.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/bytes.hpp"
#include "vexalkit/error.hpp"

#include <cstdint>
#include <span>
#include <utility>

namespace vexalkit::detail {

inline void kill(VEXLPACKINFO_T& record) noexcept {
    vexlPackInfoKill(record);
}
inline void kill(VEXLWADINFO_T& record) noexcept {
    VEXLWADKILL(record);
}
inline void kill(VEXLPALETTE_T& record) noexcept {
    vexlPaletteKill(record);
}
inline void kill(VEXLPICTURE_T& record) noexcept {
    vexlPictureKill(record);
}
inline void kill(VEXLSPRITE_T& record) noexcept {
    vexlSpriteKill(record);
}
inline void kill(VEXLMODEL_T& record) noexcept {
    vexlModelKill(record);
}

// The buffer form of each record's loader.
inline int32_t loadRecord(const uint8_t* data, uint32_t size, VEXLWADINFO_T& record) {
    return VEXLWADGETINFO(data, size, record);
}
inline int32_t loadRecord(const uint8_t* data, uint32_t size, VEXLPALETTE_T& record) {
    return vexlPaletteLoad(data, size, record);
}
inline int32_t loadRecord(const uint8_t* data, uint32_t size, VEXLPICTURE_T& record) {
    return vexlPictureLoad(data, size, record);
}
inline int32_t loadRecord(const uint8_t* data, uint32_t size, VEXLSPRITE_T& record) {
    return vexlSpriteLoad(data, size, record);
}
inline int32_t loadRecord(const uint8_t* data, uint32_t size, VEXLMODEL_T& record) {
    return vexlModelLoad(data, size, record);
}

template <typename Record> class Owner {
  public:
    Owner() = default;
    ~Owner() { kill(record_); }
    Owner(Owner&& other) noexcept : record_(std::exchange(other.record_, Record{})) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other) {
            kill(record_);
            record_ = std::exchange(other.record_, Record{});
        }
        return *this;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    // The record itself, for the entry points. Whatever a call leaves in it
    // is released by this owner's Kill function.
    Record& record() noexcept { return record_; }
    const Record& record() const noexcept { return record_; }

  protected:
    Record record_{};
};

// A fresh owner loaded from `bytes`; throws Error for a non-zero status.
// Loading into a fresh record keeps the caller's owner intact on failure.
template <typename Owned> Owned loadOwned(std::span<const uint8_t> bytes) {
    Owned owned;
    check(loadRecord(bytes.data(), sizeOf(bytes), owned.record()));
    return owned;
}

} // namespace vexalkit::detail
