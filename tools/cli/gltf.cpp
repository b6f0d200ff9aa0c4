// gltf: a model as binary glTF 2.0 with its first skin, every frame as a
// morph target, and one animation per frame sequence.
#include "commands.hpp"
#include "gltf_model.hpp"
#include "imaging.hpp"
#include "inputs.hpp"
#include "naming.hpp"
#include "option_checks.hpp"
#include "output_tree.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

struct GltfOptions {
    std::string file;
    std::string pak;
    std::string output;
    std::string interpolation = "linear";
    float secondsPerFrame = 0.1F;
    ColorOptions colors;
    bool windowsNames = false;
};

vexalkit::PictureView firstSkin(const Model& model, const std::string& what) {
    for (uint32_t i = 0; i < model.skinSlots(); ++i) {
        if (!model.skin(i).empty()) {
            return model.skin(i);
        }
    }
    throw vexalkit::Error(static_cast<int32_t>(vexalkit::Status::ModelNoSkin), what);
}

void runGltf(const GltfOptions& options) {
    const Source source{options.pak, options.pak.empty()
                                         ? options.file
                                         : entryNameInPak(options.pak, options.file)};
    const Bytes bytes = loadBytes(source);
    if (vexalkit::whatIs(bytes) != FileType::Model) {
        throw vexalkit::Error(static_cast<int32_t>(vexalkit::Status::NotModel), source.describe());
    }
    const auto model = load<Model>(bytes, source.describe());
    const Palette palette = loadColors(options.colors, options.pak);
    const std::vector<uint8_t> skin =
        toPng(expand(firstSkin(model, source.describe()), palette, options.colors));
    const GltfMesh mesh = toGltfMesh(model.record());
    const std::string name = baseName(options.file);
    const OutputPlace place = outputPlace(options.output, name + ".glb");
    OutputTree tree(place.folder, nameRules(options.windowsNames));
    for (const std::string* input :
         {&options.file, &options.pak, &options.colors.paletteFile, &options.colors.colorMapFile}) {
        tree.protect(*input);
    }
    tree.stage({place.name}, buildGlb(mesh, skin, name, options.interpolation == "step",
                                      options.secondsPerFrame));
    tree.commit();
    std::printf("wrote %s (%u vertices, %zu triangles, %zu frames, %zu animations)\n",
                tree.shown({place.name}).c_str(), mesh.vertexCount, mesh.indices.size() / 3,
                mesh.frames.size(), mesh.sequences.size());
}

} // namespace

void addGltfCommand(CLI::App& app) {
    auto options = std::make_shared<GltfOptions>();
    CLI::App* command =
        app.add_subcommand("gltf", "write a model as binary glTF 2.0 (.glb) with its animations");
    command->add_option("MODEL", options->file, "the model")->required();
    command->add_option("--pak", options->pak, "read MODEL (and its palette) from this PAK")
        ->type_name("ARCHIVE");
    command
        ->add_option("-o,--output", options->output,
                     "output file or folder (default: MODEL's name.glb)")
        ->type_name("OUT.glb");
    command
        ->add_option("--interpolation", options->interpolation,
                     "how animations move between frames")
        ->check(CLI::IsMember({"linear", "step"}))
        ->capture_default_str();
    command->add_option("--frame-time", options->secondsPerFrame, "seconds per animation frame")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    addColorOptions(*command, options->colors);
    addWindowsNamesOption(*command, options->windowsNames);
    command->footer("Y is up and the model faces +Z; frame 0 is the base shape, every frame "
                    "(frame 0 included) is a morph target, and each frame group or run of "
                    "frames named alike (run1..run6) is an animation.");
    command->callback([options] { runGltf(*options); });
}

} // namespace vexl::cli
