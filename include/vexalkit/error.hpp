// Status codes and the exception that carries them.
#pragma once

#include "vexalkit/heap_string.hpp"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vexalkit {

// Every status an entry point returns. 0 is success.
enum class Status : int32_t {
    Ok = 0,
    NoMemoryPointer = 1,
    NoFileHandle = 2,
    NoFileName = 3,
    FileNotFound = 4,
    FileEmpty = 5,
    IoError = 6,
    TypeUnsupported = 7,
    NotPak = 10,
    PakCorrupted = 11,
    NotWad = 12,
    WadCorrupted = 13,
    NotModel = 20,
    ModelVersion = 21,
    ModelNoSkin = 22,
    ModelSkinWidth = 23,
    ModelSkinHeight = 24,
    ModelNoVertex = 25,
    ModelNoTriangle = 26,
    ModelNoFrame = 27,
    NotPalette = 30,
    NotColorMap = 31,
    NotPicture = 32,
    ColorMapBeforePalette = 33,
    ColorMapLoaded = 34,
    MapScopeTooHigh = 40,
    MapScopeTooLow = 41,
    MapRootStatement = 42,
    MapCorruptEntity = 43,
    NotSprite = 50,
    SpriteVersion = 51,
    SpriteWidth = 52,
    SpriteHeight = 53,
    SpriteNoFrame = 54,
};

namespace detail {

// Texts for the codes the library returns without a message of its own.
inline std::string_view ownStatusText(int32_t code) {
    switch (static_cast<Status>(code)) {
    case Status::NotWad:
        return "file is not a Vexal WAD2";
    case Status::WadCorrupted:
        return "Vexal WAD2 corrupted";
    case Status::NotSprite:
        return "file is not a Vexal SPRITE";
    case Status::SpriteVersion:
        return "sprite version unsupported";
    case Status::SpriteWidth:
    case Status::SpriteHeight:
        return "sprite size invalid";
    case Status::SpriteNoFrame:
        return "no frame found";
    default:
        return {};
    }
}

} // namespace detail

// The text of a status: the library's message, the layer's own for the codes
// the library has none for, or "status N" for codes outside the table.
inline std::string statusText(int32_t code) {
    // vexlErrorString leaves the string alone for codes without a message,
    // so the fallback goes in first.
    const std::string_view own = detail::ownStatusText(code);
    HeapString message(own.empty() ? "status " + std::to_string(code) : std::string(own));
    vexlErrorString(code, message.get());
    return std::string(message.text());
}

// A failed call: the status, the library's text for it and what was being
// read ("ARCHIVE:NAME", a file name, or empty).
class Error : public std::runtime_error {
  public:
    explicit Error(int32_t code, std::string_view context = {})
        : std::runtime_error(context.empty() ? statusText(code)
                                             : std::string(context) + ": " + statusText(code)),
          code_(code), context_(context) {}

    int32_t code() const noexcept { return code_; }
    Status status() const noexcept { return static_cast<Status>(code_); }
    const std::string& context() const noexcept { return context_; }

    // The file, or the entry inside the archive, does not exist.
    bool isNotFound() const noexcept { return code_ == static_cast<int32_t>(Status::FileNotFound); }

  private:
    int32_t code_;
    std::string context_;
};

// Throws Error for a non-zero status.
inline void check(int32_t code, std::string_view context = {}) {
    if (code != 0) {
        throw Error(code, context);
    }
}

// Runs `call`; an Error it throws is thrown again naming `context`.
template <typename Call>
auto withContext(std::string_view context, Call&& call) -> decltype(call()) {
    try {
        return call();
    } catch (const Error& error) {
        throw Error(error.code(), context);
    }
}

} // namespace vexalkit
