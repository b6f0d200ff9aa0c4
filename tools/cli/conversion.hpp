// What a file of the game becomes when it is made viewable: pictures,
// sprites, skins, palettes, colormaps and textures as PNG, models as .glb,
// anything else as its bytes. Shared by export and png.
#pragma once

#include "entry_names.hpp"
#include "imaging.hpp"
#include "library.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vexl::cli {

// One output file, named "/"-separated relative to the output folder: its
// bytes, or an image still to be encoded as PNG.
struct Converted {
    std::string name;
    std::vector<uint8_t> bytes;
    std::optional<Image> image;
};

// What converting one file gave: its outputs, and one line for each part
// that could not be converted (a WAD2's entries fail one by one).
struct Conversion {
    std::vector<Converted> files;
    std::vector<std::string> problems;
    std::string kind; // "picture", "model", ... for the summary
};

struct ConversionSettings {
    const Palette* palette = nullptr;       // null: pictures cannot be converted
    bool allMips = false;                   // every mip level of a texture, not just the first
    NameRules nameRules = NameRules::Posix; // what output names must keep
};

// `bytes`, the file named `name` ("/"-separated), in its viewable form:
// outputs named after it with the extension changed; a WAD2 archive becomes
// a folder of its entries.
Conversion convertFile(const std::string& name, std::span<const uint8_t> bytes,
                       const ConversionSettings& settings);

// One WAD2 entry's stored bytes, written as `stem` plus an extension.
Conversion convertWadEntry(const std::string& stem, const VEXLWADENTRY_T& entry,
                           std::span<const uint8_t> bytes, const ConversionSettings& settings);

// Encodes every image of the conversion as PNG, enlarged `scale` times.
void encodeImages(Conversion& conversion, uint32_t scale = 1);

// The WAD2 entry types the game uses.
namespace wad_type {
inline constexpr uint8_t kPalette = 0x40; // '@'
inline constexpr uint8_t kPicture = 0x42; // 'B'
inline constexpr uint8_t kTexture = 0x44; // 'D', mip-mapped
} // namespace wad_type

// What a WAD2 entry's type code stands for, for info and summaries.
std::string wadTypeName(uint8_t type);

} // namespace vexl::cli
