#include "imaging.hpp"

#include "png_codec.hpp"

#include "option_checks.hpp"

#include <CLI/CLI.hpp>

namespace vexl::cli {
namespace {

constexpr const char* kArchivePalette = "gfx/palette.lmp";
constexpr const char* kArchiveColorMap = "gfx/colormap.lmp";
constexpr uint32_t kAlphaMask = 0x00FFFFFF;

Source colorSource(const std::string& file, const std::string& archive, const char* inArchive,
                   const std::string& missing) {
    if (!file.empty()) {
        return {"", file};
    }
    if (!archive.empty()) {
        return {archive, inArchive};
    }
    throw Failure(missing);
}

} // namespace

void addColorOptions(CLI::App& command, ColorOptions& options) {
    command
        .add_option("--palette", options.paletteFile,
                    "palette file on disk (default: gfx/palette.lmp from the --pak archive)")
        ->type_name("FILE");
    command
        .add_option("--colormap", options.colorMapFile,
                    "colormap file on disk for --row (default: gfx/colormap.lmp from the archive)")
        ->type_name("FILE");
    command.add_option("--row", options.row, "shade through this colormap row (0 is the first)")
        ->type_name("N")
        ->check(wholeNumberBetween("--row", 0, INT32_MAX));
    command
        .add_option("--transparent", options.transparent,
                    "palette index drawn fully transparent (writes RGBA)")
        ->type_name("INDEX")
        ->check(wholeNumberBetween("--transparent", 0, 255));
}

Palette loadColors(const ColorOptions& options, const std::string& archive) {
    const Source paletteSource =
        colorSource(options.paletteFile, archive, kArchivePalette,
                    "no palette: give --palette FILE, or --pak ARCHIVE holding " +
                        std::string(kArchivePalette));
    Bytes paletteBytes;
    try {
        paletteBytes = loadBytes(paletteSource);
    } catch (const Failure& failure) {
        if (!options.paletteFile.empty()) {
            throw;
        }
        throw Failure(std::string(failure.what()) + " (give --palette FILE)");
    }
    Palette palette = load<Palette>(paletteBytes, paletteSource.describe());
    if (!options.row) {
        return palette;
    }
    const Source mapSource = colorSource(options.colorMapFile, archive, kArchiveColorMap,
                                         "--row needs a colormap: give --colormap FILE");
    const Bytes mapBytes = loadBytes(mapSource);
    vexalkit::withContext(mapSource.describe(), [&] { palette.loadColorMap(mapBytes); });
    const uint32_t rows = palette.colorMapRows();
    if (static_cast<uint32_t>(*options.row) >= rows) {
        throw Failure(mapSource.describe() + " has " + std::to_string(rows) +
                      " rows: --row must be between 0 and " + std::to_string(rows - 1) + ", not " +
                      std::to_string(*options.row));
    }
    return palette;
}

Image expand(vexalkit::PictureView picture, const Palette& palette, const ColorOptions& options) {
    std::optional<uint32_t> row;
    if (options.row) {
        row = static_cast<uint32_t>(*options.row);
    }
    const vexalkit::Colors colors = picture.toRGBA(palette, row);
    if (colors.empty()) {
        throw Failure("cannot expand a picture of " + std::to_string(picture.width()) + " x " +
                      std::to_string(picture.height()) + " pixels");
    }
    Image image;
    image.width = picture.width();
    image.height = picture.height();
    image.colors.assign(colors.begin(), colors.end());
    const std::span<const uint8_t> pixels = picture.pixels();
    if (options.transparent) {
        image.hasAlpha = true;
        for (size_t i = 0; i < pixels.size(); ++i) {
            if (pixels[i] == *options.transparent) {
                image.colors[i] &= kAlphaMask;
            }
        }
    }
    return image;
}

Image enlarge(const Image& image, uint32_t factor) {
    if (factor <= 1) {
        return image;
    }
    Image large;
    large.width = image.width * factor;
    large.height = image.height * factor;
    large.hasAlpha = image.hasAlpha;
    large.colors.reserve(static_cast<size_t>(large.width) * large.height);
    for (uint32_t y = 0; y < large.height; ++y) {
        const uint32_t* row = image.colors.data() + static_cast<size_t>(y / factor) * image.width;
        for (uint32_t x = 0; x < large.width; ++x) {
            large.colors.push_back(row[x / factor]);
        }
    }
    return large;
}

std::vector<uint8_t> toPng(const Image& image) {
    return encodePng(image.width, image.height, image.colors.data(), image.hasAlpha);
}

} // namespace vexl::cli
