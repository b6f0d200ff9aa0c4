// Every file-name overload runs the same front: it cleans the file name in
// place, forces the loader's extension onto it, reads the bytes from disk or
// from inside a PAK, and hands them to the buffer form. One row per loader.
#include "support/temp_dir.hpp"
#include "vexalkit/map.hpp"
#include "vexalkit_cpp.hpp"
#include "writers/byte_writer.hpp"
#include "writers/image_writer.hpp"
#include "writers/model_writer.hpp"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace writers = vexl::writers;
using vexalkit::HeapString;

namespace {

struct Loader {
    std::string label;
    std::string extension; // forced onto the name; empty: none
    writers::Bytes bytes;  // a file the loader accepts
    std::function<int32_t(FBSTRING& archive, FBSTRING& name)> load;
    std::function<uintptr_t()> held; // what the record holds, to see it unchanged
};

writers::Bytes smallModel() {
    writers::ModelWriter model(1, 1);
    model.skin({1}).texCoord(0, 0).texCoord(0, 0).texCoord(0, 0).triangle(0, 1, 2);
    return model.frame({"a", {{}, {}, {}}}).build();
}

TEST(LoadByName, EveryLoaderCleansForcesItsExtensionAndReadsDiskOrArchive) {
    vexalkit::Palette palette;
    vexalkit::Picture picture;
    vexalkit::Sprite sprite;
    vexalkit::Model model;
    int32_t type = -1;
    const auto identity = [](uint32_t, uint32_t index) { return static_cast<uint8_t>(index); };
    const std::string map = "{\n\"classname\" \"worldspawn\"\n}\n";
    const std::vector<Loader> loaders = {
        {"palette", ".lmp", writers::paletteBytes(),
         [&](FBSTRING& a, FBSTRING& n) { return vexlPaletteLoad(a, n, palette.record()); },
         [&] { return reinterpret_cast<uintptr_t>(palette.record().colors); }},
        {"colormap", ".lmp", writers::colorMapBytes(1, identity),
         [&](FBSTRING& a, FBSTRING& n) {
             auto fresh = vexalkit::Palette::load(writers::paletteBytes());
             const int32_t status = vexlColorMapLoad(a, n, fresh.record());
             if (status == 0) {
                 palette = std::move(fresh);
             }
             return status;
         },
         [&] { return reinterpret_cast<uintptr_t>(palette.record().colorMap); }},
        {"picture", ".lmp", writers::pictureBytes(1, 1, {7}),
         [&](FBSTRING& a, FBSTRING& n) { return vexlPictureLoad(a, n, picture.record()); },
         [&] { return reinterpret_cast<uintptr_t>(picture.record().pixels); }},
        {"sprite", ".spr", writers::SpriteWriter().single({0, 0, 1, 1, {1}}).build(),
         [&](FBSTRING& a, FBSTRING& n) { return vexlSpriteLoad(a, n, sprite.record()); },
         [&] { return reinterpret_cast<uintptr_t>(sprite.record().pictures); }},
        {"model", ".mdl", smallModel(),
         [&](FBSTRING& a, FBSTRING& n) { return vexlModelLoad(a, n, model.record()); },
         [&] { return reinterpret_cast<uintptr_t>(model.record().vertices); }},
        {"whatis", "", writers::paletteBytes(),
         [&](FBSTRING& a, FBSTRING& n) { return vexlWhatIs(a, n, type); },
         [&] { return static_cast<uintptr_t>(type); }},
        {"map", ".map", writers::Bytes(map.begin(), map.end()),
         [&](FBSTRING& a, FBSTRING& n) { return vexlMapLoad(a, n); }, [] { return uintptr_t{0}; }},
    };
    vexl::testing::TempDir dir;
    vexl::testing::WorkingDirectory inside(dir.path());
    vexalkit::StdoutCapture quiet; // the map checker prints its report
    for (const Loader& loader : loaders) {
        SCOPED_TRACE(loader.label);
        const std::string stored =
            "data/" + loader.label + (loader.extension.empty() ? ".x" : loader.extension);
        dir.write(stored, loader.bytes);
        dir.write(loader.label + ".pak", writers::buildPak({{stored, loader.bytes}}));
        const std::string asked =
            "data//./" + loader.label + (loader.extension.empty() ? ".x" : "");
        for (const std::string& archive : {std::string(), loader.label}) {
            HeapString archiveName(archive);
            HeapString fileName(asked);
            EXPECT_EQ(loader.load(archiveName.get(), fileName.get()), 0) << archive;
            EXPECT_EQ(fileName.text(), "data\\" + stored.substr(5)) << "cleaned in place";
        }
        const uintptr_t before = loader.held();
        for (const std::string& missing :
             {std::string("data/absent"), "data/" + loader.label + ".other"}) {
            HeapString archiveName(loader.label);
            HeapString fileName(missing);
            EXPECT_EQ(loader.load(archiveName.get(), fileName.get()), 4) << missing;
        }
        HeapString noArchive;
        HeapString blank("  /  ");
        EXPECT_EQ(loader.load(noArchive.get(), blank.get()), 3);
        EXPECT_EQ(loader.held(), before) << "a file that cannot be read leaves the record alone";
    }
}

} // namespace
