// png: pictures, sprites, model skins, palettes, colormaps and WAD2 pictures
// and textures as PNG, several files in one call, all written or none.
#include "commands.hpp"
#include "conversion.hpp"
#include "entry_names.hpp"
#include "imaging.hpp"
#include "inputs.hpp"
#include "naming.hpp"
#include "option_checks.hpp"
#include "output_tree.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>

namespace vexl::cli {
namespace {

struct PngOptions {
    std::vector<std::string> files;
    InputAddress address;
    std::string output;
    uint32_t scale = 1;
    bool allMips = false;
    ColorOptions colors;
    bool windowsNames = false;
};

// The palette, read when a file first needs one.
class LazyPalette {
  public:
    explicit LazyPalette(const PngOptions& options) : options_(options) {}
    const Palette& get() {
        if (!palette_) {
            palette_ = loadColors(options_.colors, options_.address.pak);
        }
        return *palette_;
    }

  private:
    const PngOptions& options_;
    std::optional<Palette> palette_;
};

// The filled pictures of a picture, sprite or model, in slot order, drawn
// with the colour options (--row, --transparent).
void addRecordPictures(Conversion& out, const InputFile& input, const std::string& stem,
                       const PngOptions& options, LazyPalette& palette) {
    const FileType type = vexalkit::whatIs(input.bytes);
    std::vector<vexalkit::PictureView> pictures;
    Picture picture;
    Sprite sprite;
    Model model;
    if (type == FileType::Picture) {
        picture = load<Picture>(input.bytes, input.shown);
        pictures.push_back(picture.view());
    } else if (type == FileType::Sprite) {
        sprite = load<Sprite>(input.bytes, input.shown);
        for (size_t i = 0; i < sprite.slotCount(); ++i) {
            pictures.push_back(sprite.slot(i).picture);
        }
    } else {
        model = load<Model>(input.bytes, input.shown);
        for (uint32_t i = 0; i < model.skinSlots(); ++i) {
            pictures.push_back(model.skin(i));
        }
    }
    // Groups leave empty slots at the end of the array; they hold nothing.
    std::erase_if(pictures, [](const vexalkit::PictureView& view) { return view.empty(); });
    if (pictures.empty()) {
        throw Failure(input.shown + ": holds no picture");
    }
    for (size_t i = 0; i < pictures.size(); ++i) {
        const std::string name =
            pictures.size() == 1 ? stem + ".png" : numbered(stem + ".png", i, pictures.size());
        out.files.push_back({name, {}, expand(pictures[i], palette.get(), options.colors)});
    }
}

Conversion convertInput(const InputFile& input, const std::string& stem, const PngOptions& options,
                        LazyPalette& palette) {
    ConversionSettings settings;
    settings.allMips = options.allMips;
    const FileType type = vexalkit::whatIs(input.bytes);
    const bool needsPalette = input.wadEntry ? input.wadEntry->entryType != wad_type::kPalette
                                             : type != FileType::Palette;
    if (needsPalette) {
        settings.palette = &palette.get();
    }
    if (input.wadEntry) {
        return convertWadEntry(stem, *input.wadEntry, input.bytes, settings);
    }
    if (type == FileType::Picture || type == FileType::Sprite || type == FileType::Model) {
        Conversion out;
        addRecordPictures(out, input, stem, options, palette);
        return out;
    }
    if (type == FileType::Palette || type == FileType::ColorMap) {
        return convertFile(stem, input.bytes, settings);
    }
    throw Failure(input.shown + ": not a picture, sprite, model, palette or colormap (" +
                  std::string(vexalkit::typeDescription(type)) + ")");
}

// Stages every output; if one cannot be, none is written.
void stageAll(OutputTree& tree, const Conversion& conversion, std::vector<std::string>& lines) {
    for (const Converted& output : conversion.files) {
        try {
            tree.stage({output.name}, output.bytes);
        } catch (const Failure& failure) {
            const bool others = tree.stagedCount() != 0 || conversion.files.size() > 1;
            throw Failure(std::string(failure.what()) +
                          (others ? "; none of the files was written" : ""));
        }
        lines.push_back("wrote " + tree.shown({output.name}));
    }
}

void runPng(const PngOptions& options) {
    const bool several = options.files.size() > 1;
    const OutputPlace place = outputPlace(options.output, "");
    if (several && !place.name.empty()) {
        throw Failure("-o " + options.output + ": give a folder (ending in /) for several files");
    }
    OutputTree tree(place.folder, nameRules(options.windowsNames));
    for (const std::string* input : {&options.address.pak, &options.address.wad,
                                     &options.colors.paletteFile, &options.colors.colorMapFile}) {
        tree.protect(*input);
    }
    for (const std::string& file : options.files) {
        tree.protect(file);
    }
    LazyPalette palette(options);
    std::vector<std::string> lines;
    for (const std::string& file : options.files) {
        const InputFile input = readInput(file, options.address);
        const std::string stem = place.name.empty() ? baseName(file) : baseName(place.name);
        Conversion conversion = convertInput(input, stem, options, palette);
        encodeImages(conversion, options.scale);
        if (!place.name.empty() && conversion.files.size() == 1) {
            conversion.files.front().name = place.name; // -o names the file exactly
        }
        stageAll(tree, conversion, lines);
    }
    tree.commit();
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
}

} // namespace

void addPngCommand(CLI::App& app) {
    auto options = std::make_shared<PngOptions>();
    CLI::App* command =
        app.add_subcommand("png", "write pictures, sprites, skins, palettes, colormaps and WAD2 "
                                  "textures as PNG");
    command->add_option("FILE", options->files, "the files (or WAD2 entries with --wad)")
        ->required();
    addAddressOptions(*command, options->address);
    command
        ->add_option("-o,--output", options->output,
                     "output file, or folder (ending in / or existing; needed for several "
                     "FILEs); several pictures get _0, _1, ... (default: FILE's name with .png)")
        ->type_name("OUT");
    command->add_option("--scale", options->scale, "enlarge every pixel to N x N")
        ->type_name("N")
        ->check(wholeNumberBetween("--scale", 1, 16));
    command->add_flag("--mips", options->allMips, "write every mip level of a WAD2 texture");
    addColorOptions(*command, options->colors);
    addWindowsNamesOption(*command, options->windowsNames);
    command->footer("A palette becomes a 16 x 16 swatch, a colormap an image with one row per "
                    "colormap row. WAD2 entries are named with --wad, e.g. png rings --wad "
                    "gfx/sample.wad --pak game.pak. If one file cannot be written, none is.");
    command->callback([options] { runPng(*options); });
}

} // namespace vexl::cli
