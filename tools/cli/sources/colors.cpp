#include "sources/colors.hpp"

#include "formats/wad2.hpp"

namespace vexl::cli {
namespace {

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

Shading ColorOptions::shading() const {
    Shading shading;
    if (row) {
        shading.row = static_cast<uint32_t>(*row);
    }
    if (transparent) {
        shading.transparent = static_cast<uint8_t>(*transparent);
    }
    return shading;
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

std::optional<Palette> archivePalette(const std::string& paletteFile, const Archive& archive) {
    if (!paletteFile.empty()) {
        return load<Palette>(loadBytes({"", paletteFile}), paletteFile);
    }
    const ArchiveEntry* found = nullptr;
    if (archive.kind() == FileType::Pak) {
        found = archive.find(kArchivePalette);
    }
    for (const ArchiveEntry& entry : archive.entries()) {
        if (found == nullptr && entry.wad != nullptr && entry.readable &&
            entry.wad->entryType == wad_type::kPalette) {
            found = &entry;
        }
    }
    if (found == nullptr) {
        return std::nullopt;
    }
    return load<Palette>(archive.read(*found), archive.kind() == FileType::Pak
                                                   ? std::string(kArchivePalette)
                                                   : archive.shownName() + ":" + found->name);
}

} // namespace vexl::cli
