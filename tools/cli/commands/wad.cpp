// wad: a texture WAD2 archive from PNG pictures, mapped to the game's
// palette.
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "formats/texture_maker.hpp"
#include "formats/wad2.hpp"
#include "output/writing.hpp"
#include "sources/sources.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <set>

namespace vexl::cli {
namespace {

constexpr size_t kLongestName = kTextureNameBytes - 1;

struct WadOptions {
    std::vector<std::string> pictures;
    std::string output;
    std::string paletteFile;
    std::string colorMapFile;
    bool fullbright = false;
    bool windowsNames = false;
};

// The indices textures may use: all but the fullbright ones, unless asked.
std::vector<bool> allowedIndices(const WadOptions& options) {
    if (options.colorMapFile.empty()) {
        std::printf("no --colormap given: every one of the 256 colours may be used, fullbright "
                    "ones included\n");
        return std::vector<bool>(256, true);
    }
    Palette withMap = load<Palette>(loadBytes({"", options.paletteFile}), options.paletteFile);
    const Bytes map = loadBytes({"", options.colorMapFile});
    vexalkit::withContext(options.colorMapFile, [&] { withMap.loadColorMap(map); });
    const std::vector<bool> fullbright =
        fullbrightIndices(withMap.colorMap(), withMap.colorMapRows());
    std::vector<bool> allowed(256, true);
    size_t leftOut = 0;
    for (size_t i = 0; i < 256; ++i) {
        allowed[i] = options.fullbright || !fullbright[i];
        leftOut += allowed[i] ? 0 : 1;
    }
    if (leftOut == 256) {
        throw Failure(options.colorMapFile + ": every colour is fullbright; give --fullbright");
    }
    if (leftOut != 0) {
        std::printf("leaving out %zu fullbright colours (--fullbright keeps them)\n", leftOut);
    }
    return allowed;
}

WadEntryToWrite textureFrom(const std::string& file, PaletteMatcher& matcher,
                            PaletteMatcher& opaqueMatcher) {
    const std::string name = baseName(file);
    if (name.size() > kLongestName) {
        throw Failure(file + ": the texture name " + escapeForTerminal(name) + " has " +
                      std::to_string(name.size()) + " characters; at most 15 fit");
    }
    const Bytes bytes = loadBytes({"", file});
    const DecodedPng picture = decodePng(bytes, file);
    if (picture.width % 8 != 0 || picture.height % 8 != 0) {
        throw Failure(file + ": " + std::to_string(picture.width) + " x " +
                      std::to_string(picture.height) +
                      " pixels; texture sides must be multiples of 8");
    }
    const bool transparent = hasTransparentIndex(name);
    return {name, wad_type::kTexture,
            makeTexture(name, picture, transparent ? opaqueMatcher : matcher, transparent)};
}

void runWad(const WadOptions& options) {
    const Palette palette =
        load<Palette>(loadBytes({"", options.paletteFile}), options.paletteFile);
    PaletteMatcher matcher(palette.colors(), allowedIndices(options));
    PaletteMatcher opaqueMatcher = matcher.withoutLastIndex();
    std::vector<WadEntryToWrite> entries;
    std::set<std::string> names;
    for (const std::string& file : options.pictures) {
        entries.push_back(textureFrom(file, matcher, opaqueMatcher));
        if (!names.insert(entries.back().name).second) {
            throw Failure(file + ": a second texture named " + entries.back().name);
        }
    }
    const OutputPlace place = outputPlace(options.output, "textures.wad");
    if (place.name.empty()) {
        throw Failure("-o names a folder; give the WAD2 file's name");
    }
    std::vector<std::string> inputs = {options.paletteFile, options.colorMapFile};
    inputs.insert(inputs.end(), options.pictures.begin(), options.pictures.end());
    std::vector<OutputFile> archive(1);
    archive.front() = {place.name, buildWad2(entries)};
    const size_t archiveSize = archive.front().bytes.size();
    const std::vector<std::string> shown =
        writeFiles(place.folder, nameRules(options.windowsNames), inputs, archive);
    std::printf("wrote %zu textures to %s (%zu bytes)\n", entries.size(), shown.front().c_str(),
                archiveSize);
}

void describeWad(CLI::App& command, WadOptions& options) {
    command.add_option("PNG", options.pictures, "the pictures; each file's name names its texture")
        ->required();
    command.add_option("-o,--output", options.output, "the WAD2 archive to write")
        ->type_name("OUT.wad")
        ->required();
    command.add_option("--palette", options.paletteFile, "the game's palette file")
        ->type_name("FILE")
        ->required();
    command
        .add_option("--colormap", options.colorMapFile,
                    "the game's colormap: colours it maps to themselves in every row are "
                    "fullbright and left out")
        ->type_name("FILE");
    command.add_flag("--fullbright", options.fullbright,
                     "let textures use the fullbright colours too");
    addWindowsNamesOption(command, options.windowsNames);
}

} // namespace

void addWadCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describeWad, runWad);
}

} // namespace vexl::cli
