// What a file of the game becomes when it is made viewable: pictures,
// sprites, skins, palettes, colormaps and textures as PNG, models as .glb,
// anything else as its bytes. The one path png, gltf and export take.
#pragma once

#include "formats/gltf/gltf_model.hpp"
#include "formats/images.hpp"
#include "layer.hpp"
#include "output/entry_names.hpp"
#include "output/naming.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vexl::cli {

struct ConversionSettings {
    const Palette* palette = nullptr; // null: pictures cannot be converted
    Shading shading;                  // colormap row and transparent index
    uint32_t scale = 1;               // every pixel drawn as scale x scale
    bool allMips = false;             // every mip level of a texture, not just the first
    // Only the pictures a file holds: a model's skins without its .glb, and
    // a file without pictures is a failure, not a copy of its bytes.
    bool picturesOnly = false;
    GltfSettings gltf;
    NameRules nameRules = NameRules::Posix; // what output names must keep
};

// A file to convert. Outputs are named after `stem` ("/"-separated) with an
// extension; a file kept as it is keeps `name`. Failures name `shown`.
struct FileToConvert {
    std::string name;
    std::string stem;
    std::string shown;
    std::span<const uint8_t> bytes;
    const VEXLWADENTRY_T* wadEntry = nullptr; // set for an entry of a WAD2
};

// What converting one file gave: its outputs, and one line for each part
// that could not be converted (a WAD2's entries fail one by one).
struct Conversion {
    std::vector<OutputFile> files;
    std::vector<std::string> problems;
    std::string kind; // "picture", "model", ... for the summary
};

Conversion convertFile(const FileToConvert& file, const ConversionSettings& settings);

// `name` without the extension of its last part.
std::string stemOf(const std::string& name);

// The model as binary glTF with `skin` as its texture, drawn with the
// settings' palette and shading.
std::vector<uint8_t> modelGlb(const Model& model, vexalkit::PictureView skin,
                              const std::string& title, const ConversionSettings& settings);

// The first filled skin of the model; throws the library's ModelNoSkin
// naming `what` when there is none.
vexalkit::PictureView firstSkin(const Model& model, const std::string& what);

} // namespace vexl::cli
