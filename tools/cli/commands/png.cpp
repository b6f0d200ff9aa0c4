// png: pictures, sprites, model skins, palettes, colormaps and WAD2 pictures
// and textures as PNG, several files in one call, all written or none.
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "convert/conversion.hpp"
#include "formats/wad2.hpp"
#include "output/writing.hpp"
#include "sources/colors.hpp"
#include "sources/inputs.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <iterator>
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

Conversion convertInput(const std::string& file, const std::string& stem, const PngOptions& options,
                        LazyPalette& palette) {
    const InputFile input = readInput(file, options.address);
    ConversionSettings settings;
    settings.allMips = options.allMips;
    settings.scale = options.scale;
    settings.shading = options.colors.shading();
    settings.picturesOnly = true;
    const bool needsPalette = input.wadEntry ? input.wadEntry->entryType != wad_type::kPalette
                                             : vexalkit::whatIs(input.bytes) != FileType::Palette;
    if (needsPalette) {
        settings.palette = &palette.get();
    }
    return convertFile(
        {stem, stem, input.shown, input.bytes, input.wadEntry ? &*input.wadEntry : nullptr},
        settings);
}

void runPng(const PngOptions& options) {
    const bool several = options.files.size() > 1;
    const OutputPlace place = outputPlace(options.output, "");
    if (several && !place.name.empty()) {
        throw Failure("-o " + options.output + ": give a folder (ending in /) for several files");
    }
    std::vector<std::string> inputs = {options.address.pak, options.address.wad,
                                       options.colors.paletteFile, options.colors.colorMapFile};
    inputs.insert(inputs.end(), options.files.begin(), options.files.end());
    LazyPalette palette(options);
    std::vector<OutputFile> outputs;
    for (const std::string& file : options.files) {
        const std::string stem = place.name.empty() ? baseName(file) : baseName(place.name);
        Conversion conversion = convertInput(file, stem, options, palette);
        if (!place.name.empty() && conversion.files.size() == 1) {
            conversion.files.front().name = place.name; // -o names the file exactly
        }
        std::move(conversion.files.begin(), conversion.files.end(), std::back_inserter(outputs));
    }
    for (const std::string& shown :
         writeFiles(place.folder, nameRules(options.windowsNames), inputs, outputs)) {
        std::printf("wrote %s\n", shown.c_str());
    }
}

void describePng(CLI::App& command, PngOptions& options) {
    command.add_option("FILE", options.files, "the files (or WAD2 entries with --wad)")->required();
    addAddressOptions(command, options.address);
    command
        .add_option("-o,--output", options.output,
                    "output file, or folder (ending in / or existing; needed for several "
                    "FILEs); several pictures get _0, _1, ... (default: FILE's name with .png)")
        ->type_name("OUT");
    command.add_option("--scale", options.scale, "enlarge every pixel to N x N")
        ->type_name("N")
        ->check(wholeNumberBetween("--scale", 1, 16));
    command.add_flag("--mips", options.allMips, "write every mip level of a WAD2 texture");
    addColorOptions(command, options.colors);
    addWindowsNamesOption(command, options.windowsNames);
}

} // namespace

void addPngCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describePng, runPng);
}

} // namespace vexl::cli
