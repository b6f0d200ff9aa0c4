#include "library.hpp"

#include <cstring>

namespace vexl::cli {
namespace {

constexpr int32_t kLengthMask = 0x7FFFFFFF;

// Codes the library returns without a message of its own, in its voice.
constexpr std::string_view kWadNotWad = "file is not a Vexal WAD2";
constexpr std::string_view kWadCorrupted = "Vexal WAD2 corrupted";

std::string_view spriteFallback(int32_t status) {
    switch (status) {
    case 50:
        return "file is not a Vexal SPRITE";
    case 51:
        return "sprite version unsupported";
    case 52:
    case 53:
        return "sprite size invalid";
    case 54:
        return "no frame found";
    default:
        return {};
    }
}

[[noreturn]] void fail(const std::string& what, int32_t status, std::string_view fallback = {}) {
    throw Failure(what + ": " + statusMessage(status, fallback));
}

} // namespace

std::string statusMessage(int32_t status, std::string_view fallback) {
    // vexlErrorString leaves the string alone for codes it has no text for,
    // so the fallback goes in first.
    const std::string preset =
        fallback.empty() ? "error " + std::to_string(status) : std::string(fallback);
    LibString message(preset);
    vexlErrorString(status, message.get());
    return message.text();
}

LibString::LibString(std::string_view text) {
    value_.data = static_cast<char*>(std::malloc(text.size() + 1));
    if (value_.data == nullptr) {
        throw Failure("out of memory");
    }
    std::memcpy(value_.data, text.data(), text.size());
    value_.data[text.size()] = '\0';
    value_.length = static_cast<int32_t>(text.size());
    value_.capacity = value_.length;
}

std::string LibString::text() const {
    if (value_.data == nullptr) {
        return {};
    }
    return std::string(value_.data, static_cast<size_t>(value_.length & kLengthMask));
}

std::string Source::describe() const {
    return archive.empty() ? name : archive + ":" + name;
}

Bytes loadBytes(const Source& source) {
    LibString archive(source.archive);
    LibString name(source.name);
    Bytes bytes;
    const int32_t status = vexlPackFileLoad(archive.get(), name.get(), bytes.data(), bytes.size());
    if (status != 0) {
        fail(source.describe(), status);
    }
    return bytes;
}

Kind whatIs(const Bytes& bytes) {
    int32_t type = 0;
    const uint8_t* data = bytes.data();
    vexlWhatIs(data, bytes.size(), type);
    return static_cast<Kind>(type);
}

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Pak:
        return "PAK archive";
    case Kind::Wad:
        return "WAD2 archive";
    case Kind::Model:
        return "model";
    case Kind::Sprite:
        return "sprite";
    case Kind::Riff:
        return "RIFF container";
    case Kind::Picture:
        return "picture";
    case Kind::Palette:
        return "palette";
    case Kind::ColorMap:
        return "colormap";
    case Kind::Block4000:
        return "4000-byte file";
    case Kind::Unknown:
        break;
    }
    return "unknown";
}

void loadPicture(const Bytes& bytes, Picture& picture, const std::string& what) {
    const uint8_t* data = bytes.data();
    if (const int32_t status = vexlPictureLoad(data, bytes.size(), picture.get()); status != 0) {
        fail(what, status);
    }
}

void loadSprite(const Bytes& bytes, Sprite& sprite, const std::string& what) {
    const uint8_t* data = bytes.data();
    if (const int32_t status = vexlSpriteLoad(data, bytes.size(), sprite.get()); status != 0) {
        fail(what, status, spriteFallback(status));
    }
}

void loadModel(const Bytes& bytes, Model& model, const std::string& what) {
    const uint8_t* data = bytes.data();
    if (const int32_t status = vexlModelLoad(data, bytes.size(), model.get()); status != 0) {
        fail(what, status);
    }
}

void loadPalette(const Bytes& bytes, Palette& palette, const std::string& what) {
    const uint8_t* data = bytes.data();
    if (const int32_t status = vexlPaletteLoad(data, bytes.size(), palette.get()); status != 0) {
        fail(what, status);
    }
}

void loadColorMap(const Bytes& bytes, Palette& palette, const std::string& what) {
    const uint8_t* data = bytes.data();
    if (const int32_t status = vexlColorMapLoad(data, bytes.size(), palette.get()); status != 0) {
        fail(what, status);
    }
}

void readPack(const std::string& archive, PackInfo& info) {
    LibString name(archive);
    if (const int32_t status = vexlPackInfoRead(name.get(), info.get()); status != 0) {
        fail(archive, status);
    }
}

void readWad(const Bytes& bytes, WadInfo& info, const std::string& what) {
    const uint8_t* data = bytes.data();
    if (const int32_t status = VEXLWADGETINFO(data, bytes.size(), info.get()); status != 0) {
        fail(what, status, status == 12 ? kWadNotWad : kWadCorrupted);
    }
}

std::string displayName(std::string_view libraryName) {
    std::string shown(libraryName);
    for (char& value : shown) {
        if (value == '\\') {
            value = '/';
        }
    }
    return shown;
}

} // namespace vexl::cli
