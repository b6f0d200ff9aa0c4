// Writes the project's own sample PAK archive, every byte generated here.
#include "writers/byte_writer.hpp"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using vexl::writers::Bytes;
using vexl::writers::ByteWriter;

// A smooth 256-colour palette: hue ramps in rows of sixteen shades.
Bytes makePalette() {
    ByteWriter palette;
    for (int index = 0; index < 256; ++index) {
        const int ramp = index / 16;
        const int shade = (index % 16) * 16 + 15;
        palette.u8(static_cast<uint8_t>((ramp & 1) != 0 ? shade : shade / 2))
            .u8(static_cast<uint8_t>((ramp & 2) != 0 ? shade : shade / 3))
            .u8(static_cast<uint8_t>((ramp & 4) != 0 ? shade : shade / 4));
    }
    return palette.take();
}

// A picture of concentric rings in palette indices.
Bytes makePicture(uint32_t width, uint32_t height) {
    ByteWriter picture;
    picture.u32(width).u32(height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const int dx = static_cast<int>(x) - static_cast<int>(width / 2);
            const int dy = static_cast<int>(y) - static_cast<int>(height / 2);
            picture.u8(static_cast<uint8_t>((dx * dx + dy * dy) / 8 % 256));
        }
    }
    return picture.take();
}

Bytes makeMap() {
    const std::string text = "// sample map\r\n{\r\n\"classname\" \"worldspawn\"\r\n"
                             "\"message\" \"Sample\"\r\n{\r\n( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) "
                             "floor 0 0 0 1 1\r\n}\r\n}\r\n{\r\n\"classname\" "
                             "\"info_player_start\"\r\n\"origin\" \"0 0 24\"\r\n}\r\n";
    return Bytes(text.begin(), text.end());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.pak\n", argv[0]);
        return 2;
    }
    const Bytes archive = vexl::writers::buildPak({
        {"gfx/palette.lmp", makePalette()},
        {"gfx/rings.lmp", makePicture(32, 24)},
        {"maps/sample.map", makeMap()},
    });
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(archive.data()),
              static_cast<std::streamsize>(archive.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %s (%zu bytes)\n", argv[1], archive.size());
    return 0;
}
