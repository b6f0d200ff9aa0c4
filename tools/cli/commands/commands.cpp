#include "commands/commands.hpp"

namespace vexl::cli {

const Command kCommands[] = {
    {addLsCommand,
     {"ls", "list the directory of a PAK or WAD2 archive",
      "Names are shown with control characters, \\ and bytes that are not UTF-8 "
      "as \\xNN. In JSON every byte of a name is the character of the same "
      "number (bytes 128-255 as \\u0080-\\u00ff): the exact bytes, which "
      "extract accepts back as NAME."}},
    {addInfoCommand, {"info", "tell what a file is and summarise what it holds", ""}},
    {addExtractCommand,
     {"extract", "write the entries of a PAK or WAD2 archive to files under a directory",
      "Entries whose names would lead outside DIR (absolute, with a drive, or with a .. part) "
      "or through a symbolic link inside DIR are skipped with a warning, and with "
      "--windows-names also those Windows cannot hold or tell apart. The files are "
      "written together: if writing one fails, none is left. NAME may be given as printed "
      "by ls --json."}},
    {addPngCommand,
     {"png",
      "write pictures, sprites, skins, palettes, colormaps and WAD2 "
      "textures as PNG",
      "A palette becomes a 16 x 16 swatch, a colormap an image with one row per "
      "colormap row. WAD2 entries are named with --wad, e.g. png rings --wad "
      "gfx/sample.wad --pak game.pak. If one file cannot be written, none is."}},
    {addGltfCommand,
     {"gltf", "write a model as binary glTF 2.0 (.glb) with its animations",
      "Y is up and the model faces +Z; frame 0 is the base shape, every frame "
      "(frame 0 included) is a morph target, and each frame group or run of "
      "frames named alike (run1..run6) is an animation."}},
    {addMapCommand,
     {"map", "check a map source's structure and print its entities' keys and counts", ""}},
    {addPackCommand,
     {"pack", "make a PAK archive from a folder or files",
      "Entries are sorted by name, so the same files always give the same bytes. "
      "Names use / between folders and hold at most 55 bytes; the game reads "
      "the first 2048 entries only."}},
    {addExportCommand,
     {"export", "write every entry of a PAK or WAD2 archive in a viewable form under a folder",
      "Pictures, sprites (NAME_0.png ...), palettes (a 16 x 16 swatch), colormaps (a row "
      "per colormap row) and WAD2 pictures and textures become PNG; models become NAME.glb "
      "and NAME_skin*.png; a WAD2 inside a PAK becomes a folder of its entries; anything else "
      "keeps its bytes. Entries that cannot be converted are named, one line each, and the "
      "exit code is 1; the rest is written."}},
    {addWadCommand,
     {"wad", "make a texture WAD2 archive from PNG pictures",
      "Every pixel becomes the palette index nearest in RGB (least sum of squared "
      "differences of red, green and blue). Sides must be multiples of 8; the "
      "three smaller mip levels average the full-size picture in RGB. A name "
      "starting with { keeps index 255 for transparent pixels (alpha below 128)."}},
};

} // namespace vexl::cli
