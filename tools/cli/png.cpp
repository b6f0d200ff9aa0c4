// png: a picture, every picture of a sprite, or every skin of a model as PNG.
#include "commands.hpp"
#include "imaging.hpp"
#include "naming.hpp"
#include "option_checks.hpp"
#include "output_tree.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

struct PngOptions {
    std::string file;
    std::string pak;
    std::string output;
    uint32_t scale = 1;
    ColorOptions colors;
};

// The filled pictures of the file's record, in slot order.
class Pictures {
  public:
    Pictures(const Bytes& bytes, const std::string& what) {
        const FileType type = vexalkit::whatIs(bytes);
        switch (type) {
        case FileType::Picture:
            picture_ = load<Picture>(bytes, what);
            keep(picture_.view());
            break;
        case FileType::Sprite:
            sprite_ = load<Sprite>(bytes, what);
            for (size_t i = 0; i < sprite_.slotCount(); ++i) {
                keep(sprite_.slot(i).picture);
            }
            break;
        case FileType::Model:
            model_ = load<Model>(bytes, what);
            for (uint32_t i = 0; i < model_.skinSlots(); ++i) {
                keep(model_.skin(i));
            }
            break;
        default:
            throw Failure(what + ": not a picture, sprite or model (" +
                          std::string(vexalkit::typeDescription(type)) + ")");
        }
    }
    const std::vector<vexalkit::PictureView>& list() const { return list_; }

  private:
    // Groups leave empty slots at the end of the array; they hold nothing.
    void keep(vexalkit::PictureView picture) {
        if (!picture.empty()) {
            list_.push_back(picture);
        }
    }

    Picture picture_;
    Sprite sprite_;
    Model model_;
    std::vector<vexalkit::PictureView> list_;
};

void protectInputs(OutputTree& tree, const PngOptions& options) {
    for (const std::string* input :
         {&options.file, &options.pak, &options.colors.paletteFile, &options.colors.colorMapFile}) {
        tree.protect(*input);
    }
}

void runPng(const PngOptions& options) {
    const Source source{options.pak, options.file};
    const Bytes bytes = loadBytes(source);
    const Pictures pictures(bytes, source.describe());
    if (pictures.list().empty()) {
        throw Failure(source.describe() + ": holds no picture");
    }
    const Palette palette = loadColors(options.colors, options.pak);
    const OutputPlace place = outputPlace(options.output, baseName(options.file) + ".png");
    OutputTree tree(place.folder);
    protectInputs(tree, options);
    const size_t count = pictures.list().size();
    std::vector<std::string> lines;
    for (size_t i = 0; i < count; ++i) {
        const std::string name = count == 1 ? place.name : numbered(place.name, i, count).string();
        const Image image =
            enlarge(expand(pictures.list()[i], palette, options.colors), options.scale);
        try {
            tree.stage({name}, toPng(image));
        } catch (const Failure& failure) {
            throw Failure(std::string(failure.what()) +
                          (count == 1 ? "" : "; none of the pictures was written"));
        }
        lines.push_back("wrote " + tree.shown({name}) + " (" + std::to_string(image.width) + " x " +
                        std::to_string(image.height) + ")");
    }
    tree.commit();
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
}

} // namespace

void addPngCommand(CLI::App& app) {
    auto options = std::make_shared<PngOptions>();
    CLI::App* command = app.add_subcommand(
        "png", "write a picture, every picture of a sprite, or every skin of a model as PNG");
    command->add_option("FILE", options->file, "the picture, sprite or model")->required();
    command->add_option("--pak", options->pak, "read FILE (and its palette) from this PAK")
        ->type_name("ARCHIVE");
    command
        ->add_option("-o,--output", options->output,
                     "output file or folder; several pictures get _0, _1, ... before the "
                     "extension (default: FILE's name with .png)")
        ->type_name("OUT");
    command->add_option("--scale", options->scale, "enlarge every pixel to N x N")
        ->type_name("N")
        ->check(wholeNumberBetween("--scale", 1, 16));
    addColorOptions(*command, options->colors);
    command->callback([options] { runPng(*options); });
}

} // namespace vexl::cli
