// Which palette and colormap a command draws with: the files the user gave,
// else the archive's own.
#pragma once

#include "formats/images.hpp"
#include "sources/archive.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace vexl::cli {

// Where an archive of the game keeps its palette and colormap.
inline constexpr const char* kArchivePalette = "gfx/palette.lmp";
inline constexpr const char* kArchiveColorMap = "gfx/colormap.lmp";

// --palette, --colormap, --row and --transparent as given.
struct ColorOptions {
    std::string paletteFile;
    std::string colorMapFile;
    std::optional<int32_t> row;
    std::optional<int32_t> transparent;

    Shading shading() const;
};

// The palette (and, when a row is asked for, the colormap, with the row
// checked against it): from the named files on disk, else gfx/palette.lmp
// and gfx/colormap.lmp from the PAK `archive`.
Palette loadColors(const ColorOptions& options, const std::string& archive);

// The palette a whole archive is drawn with: the file given, else the
// PAK's gfx/palette.lmp or the WAD2's first palette entry; none when there
// is neither.
std::optional<Palette> archivePalette(const std::string& paletteFile, const Archive& archive);

} // namespace vexl::cli
