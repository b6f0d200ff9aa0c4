// The sample's map source and WAD2 archive.
#include "sample.hpp"
#include "writers/wad_writer.hpp"

#include <string>

namespace vexl::sample {
namespace {

constexpr uint8_t kWadPalette = 0x40;
constexpr uint8_t kWadPicture = 0x42;

// A brush block: six planes of an axis-aligned box, three points each.
std::string box(int x0, int y0, int z0, int x1, int y1, int z1, const std::string& texture) {
    auto point = [](int x, int y, int z) {
        return "( " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + " ) ";
    };
    auto plane = [&](const std::string& points) { return points + texture + " 0 0 0 1 1\r\n"; };
    return "{\r\n" + plane(point(x0, y0, z0) + point(x0, y1, z0) + point(x0, y0, z1)) +
           plane(point(x1, y0, z0) + point(x1, y0, z1) + point(x1, y1, z0)) +
           plane(point(x0, y0, z0) + point(x0, y0, z1) + point(x1, y0, z0)) +
           plane(point(x0, y1, z0) + point(x1, y1, z0) + point(x0, y1, z1)) +
           plane(point(x0, y0, z0) + point(x1, y0, z0) + point(x0, y1, z0)) +
           plane(point(x0, y0, z1) + point(x0, y1, z1) + point(x1, y0, z1)) + "}\r\n";
}

std::string entity(const std::string& body) {
    return "{\r\n" + body + "}\r\n";
}

} // namespace

Bytes mapSource() {
    const std::string text =
        "// The sample yard: a floor, two walls, the creature and a torch.\r\n" +
        entity("\"classname\" \"worldspawn\"\r\n\"message\" \"Sample Yard\"\r\n"
               "\"wad\" \"gfx/sample.wad\"\r\n" +
               box(-256, -256, -16, 256, 256, 0, "swatch") +
               box(-256, 240, 0, 256, 256, 128, "rings") +
               box(240, -240, 0, 256, 240, 128, "rings")) +
        entity("\"classname\" \"info_player_start\"\r\n\"origin\" \"-128 0 24\"\r\n"
               "\"angle\" \"0\"\r\n") +
        entity("\t\"classname\"\t\"critter\"\r\n\"origin\" \"64 32 24\"\r\n"
               "\"model\" \"progs/creature.mdl\"\r\n") +
        entity("\"classname\" \"light_flame\"\r\n\"origin\" \"200 200 64\"\r\n"
               "\"light\" \"200\"\r\n\"model\" \"progs/flame.spr\"\r\n");
    return Bytes(text.begin(), text.end());
}

Bytes wadArchive() {
    return writers::buildWad({
        {"palette", palette(), kWadPalette},
        {"swatch", swatchPicture(), kWadPicture},
        {"rings", ringsPicture(), kWadPicture},
        {"badge", badgePicture(), kWadPicture},
    });
}

std::vector<writers::PakFile> archiveFiles() {
    return {
        {"gfx/palette.lmp", palette()},     {"gfx/colormap.lmp", colorMap()},
        {"gfx/rings.lmp", ringsPicture()},  {"gfx/swatch.lmp", swatchPicture()},
        {"gfx/badge.lmp", badgePicture()},  {"gfx/sample.wad", wadArchive()},
        {"progs/flame.spr", flameSprite()}, {"progs/creature.mdl", creatureModel()},
        {"maps/yard.map", mapSource()},
    };
}

} // namespace vexl::sample
