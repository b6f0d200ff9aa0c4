// Writes the seed corpus of the fuzz targets: small hand-made files at the
// edges of each format, one folder per target. Given a PAK archive as well,
// it also files the archive and each of its entries under the targets that
// read such files.
#include "writers/byte_writer.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using vexl::writers::Bytes;
using vexl::writers::ByteWriter;

fs::path gRoot;

void seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path folder = gRoot / target;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void seedText(const std::string& target, const std::string& name, std::string_view text) {
    seed(target, name, Bytes(text.begin(), text.end()));
}

Bytes pictureFile(uint32_t width, uint32_t height, size_t pixelBytes) {
    ByteWriter file;
    file.u32(width).u32(height);
    for (size_t i = 0; i < pixelBytes; ++i) {
        file.u8(static_cast<uint8_t>(i * 37));
    }
    return file.take();
}

void writePaletteSeeds() {
    seed("palette", "palette", ByteWriter().fill(768, 0x40).take());
    seed("palette", "colormap-3-rows", ByteWriter().fill(769, 0x05).take());
    seed("palette", "colormap-no-rows", {0x2A});
    seed("palette", "colormap-short", ByteWriter().fill(256, 0xFF).take());
}

void writePictureSeeds() {
    seed("picture", "2x3", pictureFile(2, 3, 6));
    seed("picture", "0x0", pictureFile(0, 0, 0));
    seed("picture", "one-short", pictureFile(2, 3, 5));
    seed("picture", "header-only-huge", pictureFile(0x10000, 0x10000, 0));
    seed("picture", "four-bytes", {2, 0, 0, 0});
}

ByteWriter spriteHeader(uint32_t frames) {
    ByteWriter file;
    file.text("IDSP").u32(1).u32(258).f32(8.0f).u32(2).u32(2).u32(frames).u32(0).u32(1);
    return file;
}

void spritePicture(ByteWriter& file, uint32_t width, uint32_t height) {
    file.i32(-1).i32(1).u32(width).u32(height).fill(size_t{width} * height, 7);
}

void writeSpriteSeeds() {
    ByteWriter single = spriteHeader(1);
    single.u32(0);
    spritePicture(single, 2, 2);
    seed("sprite", "single", single.take());

    ByteWriter mixed = spriteHeader(3);
    mixed.u32(0);
    spritePicture(mixed, 1, 1);
    mixed.u32(1).u32(2).f32(0.1f).f32(0.2f);
    spritePicture(mixed, 2, 1);
    spritePicture(mixed, 1, 2);
    mixed.u32(1).u32(0);
    seed("sprite", "single-group-emptygroup", mixed.take());

    ByteWriter huge = spriteHeader(0xFFFFFFFF);
    huge.u32(1).u32(0xFFFF);
    seed("sprite", "huge-counts", huge.take());
    seed("sprite", "header-cut", ByteWriter().text("IDSP").u32(1).take());
}

struct ModelShape {
    uint32_t skins = 1;
    uint32_t width = 2;
    uint32_t height = 2;
    uint32_t vertices = 3;
    uint32_t triangles = 1;
    uint32_t frames = 1;
};

ByteWriter modelHeader(const ModelShape& shape) {
    ByteWriter file;
    file.text("IDPO").u32(6);
    file.f32(0.5f).f32(0.5f).f32(0.5f).f32(-10.0f).f32(-10.0f).f32(-10.0f);
    file.f32(20.0f).f32(0.0f).f32(0.0f).f32(24.0f);
    file.u32(shape.skins).u32(shape.width).u32(shape.height).u32(shape.vertices);
    file.u32(shape.triangles).u32(shape.frames).u32(0).u32(0).f32(1.0f);
    return file;
}

void simpleFrame(ByteWriter& file, std::string_view name, uint32_t vertices) {
    file.u32(0).u32(0xFFFFFFFF).field(name, 16);
    for (uint32_t v = 0; v < vertices; ++v) {
        file.u8(static_cast<uint8_t>(v * 40)).u8(255).u8(static_cast<uint8_t>(v)).u8(0);
    }
}

void writeModelSeeds() {
    const ModelShape minimal;
    ByteWriter plain = modelHeader(minimal);
    plain.u32(0).fill(4, 3);
    plain.u32(0).u32(0).u32(0).u32(1).u32(1).u32(1).u32(0).u32(1).u32(0);
    plain.u32(1).u32(0).u32(1).u32(2);
    plain.u32(0);
    simpleFrame(plain, "stand", 3);
    seed("model", "minimal", plain.take());

    // A skin group of two, a seam vertex, a back-facing triangle, a frame
    // group of two and a triangle index past the vertices.
    ModelShape grouped;
    grouped.triangles = 2;
    ByteWriter groups = modelHeader(grouped);
    groups.u32(1).u32(2).f32(0.1f).f32(0.2f).fill(4, 1).fill(4, 2);
    groups.u32(1).u32(0).u32(1).u32(0).u32(1).u32(0).u32(0).u32(1).u32(1);
    groups.u32(0).u32(0).u32(1).u32(2).u32(1).u32(2).u32(1).u32(70000);
    groups.u32(1).u32(2).u32(0).u32(0).f32(0.1f).f32(0.2f);
    simpleFrame(groups, "run1", 3);
    simpleFrame(groups, "run2 ", 3);
    seed("model", "groups-and-seam", groups.take());

    ModelShape huge;
    huge.skins = 0xFFFF;
    huge.width = 0xFFFF;
    huge.height = 0xFFFF;
    huge.vertices = 0xFFFFFFFF;
    huge.triangles = 0xFFFFFFFF;
    huge.frames = 0xFFFFFFFF;
    seed("model", "huge-counts", modelHeader(huge).take());

    ModelShape cut;
    seed("model", "header-only", modelHeader(cut).take());
}

ByteWriter wadHeader(uint32_t entries, uint32_t dirOffset) {
    ByteWriter file;
    file.text("WAD2").u32(entries).u32(dirOffset);
    return file;
}

void writeWadSeeds() {
    ByteWriter two = wadHeader(2, 16);
    two.u32(0);
    two.u32(12).u32(4).u32(4).u8(0x40).u8(0).u8(0).u8(0).field("palette", 16);
    two.u32(12).u32(4).u32(4).u8(0x44).u8(1).u8(0).u8(0).field("sixteen-char-nam", 16);
    seed("wad", "two-entries", two.take());
    seed("wad", "no-entries", wadHeader(0, 12).take());
    seed("wad", "directory-past-end", wadHeader(0x08000000, 12).take());
    seed("wad", "offset-wraps", wadHeader(1, 0xFFFFFFF0).take());
}

void writeMapSeeds() {
    seedText("map", "entities",
             "// a map\r\n{\r\n\"classname\" \"worldspawn\"\r\n\"wad\" \"gfx/base.wad\"\r\n{\r\n"
             "( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) floor 0 0 0 1 1\r\n}\r\n}\r\n{\r\n"
             "\"classname\" \"light\"\r\n\"origin\" \"0 0 24\"\r\n}\r\n");
    seedText("map", "lf-only", "{\n\"classname\" \"worldspawn\"\n}\n");
    seedText("map", "unbalanced", "{\r\n{\r\n}\r\n}\r\n}\r\n{\r\n");
    seedText("map", "broken-pairs", "{\r\n\"key\r\n\"\" \"\"\r\n\"a\" \"b\" \"c\"\r\n}\r\n");
    seedText("map", "cr-at-end", "{\r\n}\r");
}

void writeTextSeeds() {
    seedText("cleanpath", "forward", std::string("\x01maps/start.map"));
    seedText("cleanpath", "trailing", std::string("\x00/progs//player.mdl", 19));
    seedText("cleanpath", "dots", "\x01 a/./b/../c/ .. / d ");
    seedText("cleanpath", "climb", "\x01../../x/..//..");
    seedText("forcetype", "bare", "maps/start|.map");
    seedText("forcetype", "accepted", "gfx\\Palette.LMP| .PCX .lmp ");
    seedText("forcetype", "substring", "start.ma|.map");
    seedText("forcetype", "dot-in-folder", "maps.old/start|.map .bsp");
    seedText("forcetype", "empty-list", "name.|");
}

void writeArchiveSeeds() {
    seed("pack", "two-files",
         vexl::writers::buildPak({{"gfx/palette.lmp", Bytes(768, 9)}, {"maps/a.map", {'{', '}'}}}));
    seed("pack", "no-files", vexl::writers::buildPak({}));
    ByteWriter outside;
    outside.text("PACK").u32(12).u32(64).field("far/away.lmp", 56).u32(0xFFFFFFF0).u32(32);
    seed("pack", "entry-outside", outside.take());
    seed("pack", "directory-past-end",
         ByteWriter().text("PACK").u32(0xFFFFFFC0).u32(0xFFFFFFC0).take());

    seed("whatis", "pack", ByteWriter().text("PACK").u32(12).u32(0).take());
    seed("whatis", "wad", wadHeader(0, 12).take());
    seed("whatis", "model", ByteWriter().text("IDPO").u32(6).take());
    seed("whatis", "sprite", ByteWriter().text("IDSP").u32(1).take());
    seed("whatis", "palette", Bytes(768, 1));
    seed("whatis", "colormap", Bytes(16385, 2));
    seed("whatis", "picture", pictureFile(2, 2, 4));
    seedText("whatis", "map", "{\r\n\"classname\" \"worldspawn\"\r\n}\r\n");
    seed("whatis", "riff", ByteWriter().text("RIFF").u32(4).text("WAVE").take());
}

// Files the sample archive and its entries under the targets for their kind.
void writeSampleSeeds(const fs::path& archivePath) {
    std::ifstream in(archivePath, std::ios::binary);
    const Bytes archive((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    seed("pack", "sample", archive);
    seed("whatis", "sample-pak", archive);
    const auto readLong = [&](size_t at) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4 && at + i < archive.size(); ++i) {
            value |= uint32_t{archive[at + i]} << (8 * i);
        }
        return value;
    };
    const uint32_t dirOffset = readLong(4);
    const uint32_t dirLength = readLong(8);
    for (uint64_t at = dirOffset; at + 64 <= uint64_t{dirOffset} + dirLength; at += 64) {
        if (at + 64 > archive.size()) {
            break;
        }
        const char* nameField = reinterpret_cast<const char*>(archive.data() + at);
        const std::string name(nameField, strnlen(nameField, 56));
        const uint32_t position = readLong(at + 56);
        const uint32_t length = readLong(at + 60);
        if (uint64_t{position} + length > archive.size()) {
            continue;
        }
        const Bytes entry(archive.begin() + position, archive.begin() + position + length);
        const std::string extension = fs::path(name).extension().string();
        const std::string seedName = "sample-" + fs::path(name).filename().string();
        std::string target;
        if (extension == ".map") {
            target = "map";
        } else if (extension == ".mdl") {
            target = "model";
        } else if (extension == ".spr") {
            target = "sprite";
        } else if (extension == ".wad") {
            target = "wad";
        } else if (extension == ".lmp") {
            target = entry.size() == 768 || entry.size() % 256 == 1 ? "palette" : "picture";
        }
        if (!target.empty()) {
            seed(target, seedName, entry);
        }
        seed("whatis", seedName, entry);
        seedText("cleanpath", seedName, "\x01" + name);
        seedText("forcetype", seedName, name + "|.lmp .pcx");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER [SAMPLE.pak]\n", argv[0]);
        return 2;
    }
    gRoot = argv[1];
    writePaletteSeeds();
    writePictureSeeds();
    writeSpriteSeeds();
    writeModelSeeds();
    writeWadSeeds();
    writeMapSeeds();
    writeTextSeeds();
    writeArchiveSeeds();
    if (argc == 3) {
        writeSampleSeeds(argv[2]);
    }
    return 0;
}
