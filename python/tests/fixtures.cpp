// Writes the Python tests' files, every byte built with the shared writers,
// and beside them what the C++ records hold for each (see fixture_dump).
// Usage: vexalkit-pyfixtures FOLDER
#include "fixture_dump.hpp"
#include "sample/sample.hpp"
#include "writers/byte_writer.hpp"
#include "writers/image_writer.hpp"
#include "writers/model_writer.hpp"
#include "writers/wad_writer.hpp"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace vexl::writers;

void save(const fs::path& file, const Bytes& bytes) {
    vexl::pyfixtures::writeBytes(file, bytes.data(), bytes.size());
}

Bytes ramp(std::size_t count, uint8_t first) {
    Bytes bytes(count);
    for (std::size_t index = 0; index < count; ++index) {
        bytes[index] = static_cast<uint8_t>(first + index * 7);
    }
    return bytes;
}

// Skins single and grouped, a seam vertex on a back-facing triangle (so a
// back-side copy exists), a single frame and a group of two.
Bytes model() {
    ModelWriter writer(8, 4);
    writer.scale(0.5f, 1.0f, 2.0f).translate(-1.0f, 0.0f, 3.0f);
    writer.skin(ramp(32, 1)).skinGroup({ramp(32, 100), ramp(32, 200)});
    writer.texCoord(0, 0).texCoord(4, 2, true).texCoord(7, 3).texCoord(2, 1);
    writer.triangle(0, 1, 2).triangle(3, 1, 2, false).triangle(0, 3, 1, false);
    const std::vector<PackedVertex> stand{
        {0, 0, 0, 0}, {10, 20, 30, 1}, {255, 128, 1, 2}, {3, 4, 5, 3}};
    const std::vector<PackedVertex> run1{
        {1, 2, 3, 0}, {40, 50, 60, 0}, {7, 8, 9, 0}, {250, 251, 252, 0}};
    const std::vector<PackedVertex> run2{
        {9, 9, 9, 0}, {60, 50, 40, 0}, {0, 255, 0, 0}, {100, 0, 100, 0}};
    writer.frame({"stand1", stand}).frameGroup({{"run1", run1}, {"Run2", run2}});
    writer.header.flags = 8;
    writer.header.syncType = 1;
    return writer.build();
}

// Two single frames, then a group of two pictures with their intervals.
Bytes sprite() {
    return SpriteWriter()
        .type(2)
        .syncType(1)
        .size(4, 4)
        .single({-1, 1, 2, 2, {1, 2, 3, 4}})
        .single({0, -3, 3, 1, {5, 6, 7}})
        .group({0.25f, 0.5f}, {{2, 2, 2, 3, ramp(6, 10)}, {-2, 5, 3, 2, ramp(6, 40)}})
        .build();
}

Bytes palette() {
    return paletteBytes({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}, {200, 100, 50}});
}

Bytes colorMap() {
    return colorMapBytes(
        4, [](uint32_t row, uint32_t index) { return static_cast<uint8_t>((index + row) & 0xff); },
        7);
}

Bytes picture() {
    return pictureBytes(3, 2, {0, 1, 2, 3, 4, 5});
}

// A model large enough that loading it takes milliseconds: for the tests
// that show loads running in parallel, and for the benchmark.
Bytes bigModel() {
    constexpr uint32_t kVertices = 1500;
    constexpr uint32_t kFrames = 300;
    ModelWriter writer(4, 4);
    writer.skin(ramp(16, 3));
    for (uint32_t vertex = 0; vertex < kVertices; ++vertex) {
        writer.texCoord(vertex % 4, vertex / 4 % 4);
    }
    writer.triangle(0, 1, 2);
    for (uint32_t frame = 0; frame < kFrames; ++frame) {
        std::vector<PackedVertex> vertices(kVertices);
        for (uint32_t vertex = 0; vertex < kVertices; ++vertex) {
            const auto value = static_cast<uint8_t>(vertex + frame);
            vertices[vertex] = {value, static_cast<uint8_t>(value * 3),
                                static_cast<uint8_t>(vertex), 0};
        }
        writer.frame({"f" + std::to_string(frame), vertices});
    }
    return writer.build();
}

// A PAK with one entry whose bytes lie past the archive's end.
Bytes brokenPak() {
    ByteWriter out;
    const Bytes data = {'o', 'k', '!', '\n'};
    pakHeader(out, kPakHeaderSize + 4, 2 * kPakEntrySize);
    out.bytes(data);
    pakEntry(out, "good.txt", kPakHeaderSize, 4);
    pakEntry(out, "gone.txt", 100000, 4);
    return out.take();
}

void writeFiles(const fs::path& folder) {
    namespace sample = vexl::sample;
    const Bytes mdl = model();
    const Bytes spr = sprite();
    const Bytes pal = palette();
    const Bytes cmap = colorMap();
    const Bytes pic = picture();
    const Bytes wad =
        buildWad({{"PALETTE", pal, 0x40}, {"pic", pic, 0x42}, {"Squeezed", {1, 2, 3}, 0x44, 1}});
    const std::string goodMap = "{\r\n\"classname\" \"worldspawn\"\r\n}\r\n";
    const std::string badMap = "{\r\n\"classname\" \"worldspawn\"\r\n}\r\n}\r\n";
    save(folder / "model.mdl", mdl);
    save(folder / "big.mdl", bigModel());
    save(folder / "sprite.spr", spr);
    save(folder / "palette.lmp", pal);
    save(folder / "colormap.lmp", cmap);
    save(folder / "picture.lmp", pic);
    save(folder / "archive.wad", wad);
    save(folder / "good.map", Bytes(goodMap.begin(), goodMap.end()));
    save(folder / "bad.map", Bytes(badMap.begin(), badMap.end()));
    save(folder / "broken.pak", brokenPak());
    save(folder / "test.pak", buildPak({{"progs/model.mdl", mdl},
                                        {"gfx\\palette.lmp", pal},
                                        {"sound/two words.wav", {'R', 'I', 'F', 'F'}},
                                        {"maps/good.map", Bytes(goodMap.begin(), goodMap.end())}}));
    save(folder / "sample.pak", buildPak(sample::archiveFiles()));

    namespace dump = vexl::pyfixtures;
    const fs::path records = folder / "records";
    dump::dumpRecord(records / "model", mdl);
    dump::dumpRecord(records / "sprite", spr);
    dump::dumpRecord(records / "picture", pic);
    dump::dumpPalette(records / "palette", pal, cmap, pic);
    dump::dumpRecord(records / "sample_creature", sample::creatureModel());
    dump::dumpRecord(records / "sample_flame", sample::flameSprite());
    dump::dumpRecord(records / "sample_rings", sample::ringsPicture());
    dump::dumpRecord(records / "sample_swatch", sample::swatchPicture());
    dump::dumpRecord(records / "sample_badge", sample::badgePicture());
    dump::dumpWad(records / "wad", wad);
    dump::dumpWad(records / "sample_wad", sample::wadArchive());
    for (const char* const pak : {"test", "broken", "sample"}) {
        dump::dumpPak(records / (std::string(pak) + "_pak"), folder / (std::string(pak) + ".pak"));
    }
    dump::dumpPalette(records / "sample_palette", sample::palette(), sample::colorMap(),
                      sample::badgePicture());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        writeFiles(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vexalkit-pyfixtures: %s\n", error.what());
        return 1;
    }
    return 0;
}
