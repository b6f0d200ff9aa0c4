#include "commands/options.hpp"

namespace vexl::cli {

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

void addAddressOptions(CLI::App& command, InputAddress& address) {
    command.add_option("--pak", address.pak, "read the files (and their palette) from this PAK")
        ->type_name("ARCHIVE");
    command
        .add_option("--wad", address.wad,
                    "the files are entries of this WAD2 archive (on disk, or inside --pak)")
        ->type_name("WAD");
}

void addArchiveArguments(CLI::App& command, ArchiveArguments& arguments,
                         const std::string& outputHelp) {
    command.add_option("ARCHIVE", arguments.archive, "the archive (a PAK is read as NAME.pak)")
        ->required();
    command.add_option("-o,--output", arguments.outputDir, outputHelp)->type_name("DIR");
    command.add_option("--pak", arguments.pak, "read a WAD2 ARCHIVE from inside this PAK")
        ->type_name("PAK");
    addWindowsNamesOption(command, arguments.windowsNames);
}

} // namespace vexl::cli
