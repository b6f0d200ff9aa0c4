// Writes the seed corpus of the fuzz targets: small hand-made files at the
// edges of each format, one folder per target. Given a PAK archive as well,
// it also files the archive and each of its entries under the targets that
// read such files.
#include "writers/byte_writer.hpp"
#include "writers/image_writer.hpp"
#include "writers/model_writer.hpp"
#include "writers/wad_writer.hpp"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace writers = vexl::writers;
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

// `count` pixels of a repeating ramp, so neighbouring pixels differ.
Bytes pixelRamp(size_t count) {
    Bytes pixels(count);
    for (size_t i = 0; i < count; ++i) {
        pixels[i] = static_cast<uint8_t>(i * 37);
    }
    return pixels;
}

Bytes grey(uint8_t level) {
    return writers::paletteBytes(std::vector<writers::Rgb>(256, {level, level, level}));
}

Bytes uniformColorMap(uint32_t rows, uint8_t index) {
    return writers::colorMapBytes(
        rows, [index](uint32_t, uint32_t) { return index; }, index);
}

void writePaletteSeeds() {
    seed("palette", "palette", grey(0x40));
    seed("palette", "colormap-3-rows", uniformColorMap(3, 0x05));
    seed("palette", "colormap-no-rows", uniformColorMap(0, 0x2A));
    // One full row with the trailing byte missing.
    Bytes cutMap = uniformColorMap(1, 0xFF);
    cutMap.pop_back();
    seed("palette", "colormap-short", cutMap);
}

void writePictureSeeds() {
    seed("picture", "2x3", writers::pictureBytes(2, 3, pixelRamp(6)));
    seed("picture", "0x0", writers::pictureBytes(0, 0, {}));
    seed("picture", "one-short", writers::pictureBytes(2, 3, pixelRamp(5)));
    seed("picture", "header-only-huge", writers::pictureBytes(0x10000, 0x10000, {}));
    // The width alone, the height cut off.
    seed("picture", "four-bytes", ByteWriter().u32(2).take());
}

// A 2×2 sprite of an unknown type (258) with sync type 1, the frame count
// taken from the entries unless the seed forges it.
writers::SpriteWriter seedSprite() {
    writers::SpriteWriter sprite;
    sprite.type(258).size(2, 2).syncType(1);
    return sprite;
}

writers::SpritePicture spritePicture(uint32_t width, uint32_t height) {
    return {-1, 1, width, height, Bytes(size_t{width} * height, 7)};
}

void writeSpriteSeeds() {
    seed("sprite", "single", seedSprite().single(spritePicture(2, 2)).build());

    seed("sprite", "single-group-emptygroup",
         seedSprite()
             .single(spritePicture(1, 1))
             .group({0.1f, 0.2f}, {spritePicture(2, 1), spritePicture(1, 2)})
             .group({}, {})
             .build());

    // A group claiming 65535 pictures under a header claiming 2^32 - 1 frames.
    seed("sprite", "huge-counts",
         seedSprite().frameCount(0xFFFFFFFF).raw(ByteWriter().u32(1).u32(0xFFFF).take()).build());
    seed("sprite", "header-cut", ByteWriter().text("IDSP").u32(1).take());
}

// A 2×2-skin model with a non-trivial scale, origin, radius and eye.
writers::ModelWriter seedModel() {
    writers::ModelWriter model(2, 2);
    model.scale(0.5f, 0.5f, 0.5f).translate(-10.0f, -10.0f, -10.0f);
    model.header.boundingRadius = 20.0f;
    model.header.eyePosition[2] = 24.0f;
    return model;
}

writers::SimpleFrame seedFrame(std::string name) {
    std::vector<writers::PackedVertex> vertices;
    for (uint8_t v = 0; v < 3; ++v) {
        vertices.push_back({static_cast<uint8_t>(v * 40), 255, v, 0});
    }
    return {std::move(name), std::move(vertices)};
}

// A header declaring the minimal model's counts with no sections after it.
void setMinimalCounts(writers::ModelHeaderFields& header) {
    header.skinCount = 1;
    header.vertexCount = 3;
    header.triangleCount = 1;
    header.frameCount = 1;
}

void writeModelSeeds() {
    writers::ModelWriter plain = seedModel();
    plain.skin(Bytes(4, 3)).texCoord(0, 0).texCoord(1, 1, true).texCoord(1, 0);
    plain.triangle(0, 1, 2).frame(seedFrame("stand"));
    seed("model", "minimal", plain.build());

    // A skin group of two, a seam vertex, a back-facing triangle, a frame
    // group of two and a triangle index past the vertices.
    writers::ModelWriter groups = seedModel();
    groups.skinGroup({Bytes(4, 1), Bytes(4, 2)});
    groups.texCoord(0, 1, true).texCoord(1, 0).texCoord(1, 1);
    groups.triangle(0, 1, 2, false).triangle(2, 1, 70000);
    groups.frameGroup({seedFrame("run1"), seedFrame("run2 ")});
    seed("model", "groups-and-seam", groups.build());

    writers::ModelWriter huge = seedModel();
    huge.header.skinWidth = 0xFFFF;
    huge.header.skinHeight = 0xFFFF;
    huge.header.skinCount = 0xFFFF;
    huge.header.vertexCount = 0xFFFFFFFF;
    huge.header.triangleCount = 0xFFFFFFFF;
    huge.header.frameCount = 0xFFFFFFFF;
    seed("model", "huge-counts", huge.build());

    writers::ModelWriter cut = seedModel();
    setMinimalCounts(cut.header);
    seed("model", "header-only", cut.build());
}

Bytes wadHeaderOnly(uint32_t entries, uint32_t dirOffset) {
    ByteWriter file;
    writers::wadHeader(file, entries, dirOffset);
    return file.take();
}

void writeWadSeeds() {
    // Two entries sharing one 4-byte file: a palette, and a compressed one
    // whose name fills all 16 bytes with no terminator.
    ByteWriter two;
    writers::wadHeader(two, 2, 16);
    two.u32(0);
    writers::wadEntry(two, "palette", 12, 4, 4, 0x40);
    writers::wadEntry(two, "sixteen-char-nam", 12, 4, 4, 0x44, 1);
    seed("wad", "two-entries", two.take());
    seed("wad", "no-entries", writers::buildWad({}));
    seed("wad", "directory-past-end", wadHeaderOnly(0x08000000, 12));
    seed("wad", "offset-wraps", wadHeaderOnly(1, 0xFFFFFFF0));
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
         writers::buildPak({{"gfx/palette.lmp", Bytes(768, 9)}, {"maps/a.map", {'{', '}'}}}));
    seed("pack", "no-files", writers::buildPak({}));
    // One entry whose file starts 16 bytes before the 4 GiB mark.
    ByteWriter outside;
    writers::pakHeader(outside, writers::kPakHeaderSize, writers::kPakEntrySize);
    writers::pakEntry(outside, "far/away.lmp", 0xFFFFFFF0, 32);
    seed("pack", "entry-outside", outside.take());
    ByteWriter pastEnd;
    writers::pakHeader(pastEnd, 0xFFFFFFC0, 0xFFFFFFC0);
    seed("pack", "directory-past-end", pastEnd.take());

    ByteWriter emptyPak;
    writers::pakHeader(emptyPak, writers::kPakHeaderSize, 0);
    seed("whatis", "pack", emptyPak.take());
    seed("whatis", "wad", writers::buildWad({}));
    // Magic and version only: identification must not need the rest.
    seed("whatis", "model", ByteWriter().text("IDPO").u32(6).take());
    seed("whatis", "sprite", ByteWriter().text("IDSP").u32(1).take());
    seed("whatis", "palette", grey(1));
    seed("whatis", "colormap", uniformColorMap(64, 2));
    seed("whatis", "picture", writers::pictureBytes(2, 2, pixelRamp(4)));
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
