// gltf: a model as binary glTF 2.0 with its first skin, every frame as a
// morph target, and one animation per frame sequence.
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "convert/conversion.hpp"
#include "output/writing.hpp"
#include "sources/colors.hpp"
#include "sources/inputs.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

struct GltfOptions {
    std::string file;
    std::string pak;
    std::string output;
    std::string interpolation = "linear";
    GltfSettings animation;
    ColorOptions colors;
    bool windowsNames = false;
};

void runGltf(const GltfOptions& options) {
    const Source source = sourceOf(options.file, options.pak);
    const Bytes bytes = loadBytes(source);
    if (vexalkit::whatIs(bytes) != FileType::Model) {
        throw vexalkit::Error(static_cast<int32_t>(vexalkit::Status::NotModel), source.describe());
    }
    const auto model = load<Model>(bytes, source.describe());
    const Palette palette = loadColors(options.colors, options.pak);
    ConversionSettings settings;
    settings.palette = &palette;
    settings.shading = options.colors.shading();
    settings.gltf = options.animation;
    settings.gltf.stepped = options.interpolation == "step";
    const std::string name = baseName(options.file);
    const std::vector<uint8_t> glb =
        modelGlb(model, firstSkin(model, source.describe()), name, settings);
    const OutputPlace place = outputPlace(options.output, name + ".glb");
    const std::vector<std::string> shown = writeFiles(
        place.folder, nameRules(options.windowsNames),
        {options.file, options.pak, options.colors.paletteFile, options.colors.colorMapFile},
        {{place.name, glb}});
    const GltfMesh mesh = toGltfMesh(model.record());
    std::printf("wrote %s (%u vertices, %zu triangles, %zu frames, %zu animations)\n",
                shown.front().c_str(), mesh.vertexCount, mesh.indices.size() / 3,
                mesh.frames.size(), mesh.sequences.size());
}

void describeGltf(CLI::App& command, GltfOptions& options) {
    command.add_option("MODEL", options.file, "the model")->required();
    command.add_option("--pak", options.pak, "read MODEL (and its palette) from this PAK")
        ->type_name("ARCHIVE");
    command
        .add_option("-o,--output", options.output,
                    "output file or folder (default: MODEL's name.glb)")
        ->type_name("OUT.glb");
    command
        .add_option("--interpolation", options.interpolation, "how animations move between frames")
        ->check(CLI::IsMember({"linear", "step"}))
        ->capture_default_str();
    command
        .add_option("--frame-time", options.animation.secondsPerFrame,
                    "seconds per animation frame")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    addColorOptions(command, options.colors);
    addWindowsNamesOption(command, options.windowsNames);
}

} // namespace

void addGltfCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describeGltf, runGltf);
}

} // namespace vexl::cli
