// A Windows program that uses the DLL the way callers do: linked through its
// import library, strings and blocks on the C runtime heap it shares with the
// DLL. It builds a PAK archive byte by byte, loads a palette, a picture and a
// model from it, frees everything with its own free() (the layer's HeapString
// frees its strings there too), and exits 0 when every
// check held.
#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"
#include "writers/byte_writer.hpp"
#include "writers/image_writer.hpp"
#include "writers/model_writer.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using vexl::writers::Bytes;

int failures = 0;
int checks = 0;

void check(bool held, const char* what) {
    ++checks;
    if (!held) {
        ++failures;
        std::printf("FAILED: %s\n", what);
    }
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void readsTheDirectory(const std::string& archive) {
    vexalkit::HeapString name(archive);
    VEXLPACKINFO_T info{};
    check(vexlPackInfoRead(name.get(), info) == 0, "the archive's directory reads");
    check(info.entryCount == 3 && info.entries != nullptr, "the directory has three entries");
    if (info.entryCount == 3) {
        check(std::strcmp(info.entries[1].name, "gfx\\face.lmp") == 0, "entry names are cleaned");
    }
    vexlPackInfoKill(info);
    check(info.entries == nullptr, "the directory is freed");
}

void loadsBytesFreedByTheCaller(const std::string& archive) {
    vexalkit::HeapString archiveName(archive);
    vexalkit::HeapString fileName("gfx/./face.lmp");
    uint8_t* bytes = nullptr;
    uint32_t size = 0;
    check(vexlPackFileLoad(archiveName.get(), fileName.get(), bytes, size) == 0,
          "an entry's bytes load");
    check(size == 12 && bytes != nullptr && bytes[0] == 2, "the bytes are the entry's");
    check(fileName.text() == "gfx\\face.lmp", "the file name is rewritten in place");
    std::free(bytes);
}

void loadsAndExpandsAPicture(const std::string& archive) {
    vexalkit::HeapString archiveName(archive);
    vexalkit::HeapString paletteName("gfx/palette");
    vexalkit::HeapString pictureName("gfx/face");
    VEXLPALETTE_T palette{};
    VEXLPICTURE_T picture{};
    check(vexlPaletteLoad(archiveName.get(), paletteName.get(), palette) == 0, "the palette loads");
    check(palette.colors != nullptr && palette.colors[1] == 0xFF123456u, "palette colours");
    check(vexlPictureLoad(archiveName.get(), pictureName.get(), picture) == 0, "the picture loads");
    check(picture.width == 2 && picture.height == 2, "picture size");
    int32_t row = -1;
    uint32_t* colors = vexlPictureToRGB(picture, palette, row);
    check(colors != nullptr && colors[1] == 0xFF123456u && colors[0] == 0xFF000000u,
          "the picture expands to colours");
    std::free(colors);
    vexlPictureKill(picture);
    vexlPaletteKill(palette);
    check(picture.pixels == nullptr && palette.colors == nullptr, "records are emptied");
}

// A 2 x 2 skin, three vertices, one triangle and two frames, scaled by 0.5,
// 1 and 2 and moved by 1, 2 and 3.
Bytes crateModel() {
    vexl::writers::ModelWriter writer(2, 2);
    writer.scale(0.5f, 1.0f, 2.0f).translate(1.0f, 2.0f, 3.0f);
    writer.skin({1, 2, 3, 4});
    writer.texCoord(0, 0).texCoord(1, 0).texCoord(0, 2);
    writer.triangle(0, 1, 2);
    writer.frame({"stand1", {{10, 20, 30}, {0, 0, 0}, {2, 4, 6}}});
    writer.frame({"stand2", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}});
    return writer.build();
}

void loadsEditsAndFreesAModel(const std::string& archive) {
    vexalkit::HeapString archiveName(archive);
    vexalkit::HeapString modelName("progs/crate");
    vexalkit::HeapString frameName("STAND2");
    VEXLMODEL_T model{};
    check(vexlModelLoad(archiveName.get(), modelName.get(), model) == 0, "the model loads");
    check(modelName.text() == "progs\\crate.mdl", "the model's extension is forced");
    check(model.vertexCount == 3 && model.triangleCount == 1 && model.frameCount == 2,
          "model counts");
    if (model.vertices != nullptr && model.skins != nullptr) {
        const VEXLVECTOR_T& first = model.vertices[0];
        check(first.x == 6.0f && first.y == 22.0f && first.z == 63.0f,
              "positions are unpacked with scale and translation");
        check(model.skins[0].width == 2 && model.skins[0].pixels[3] == 4, "the skin's pixels");
    }
    check(vexlFrameNumber(model, frameName.get()) == 1, "frames are found by name, in any case");
    vexlModelScale(model, 2.0f);
    check(model.vertices != nullptr && model.vertices[2].z == 30.0f, "the model scales");
    vexlModelKill(model);
    check(model.vertices == nullptr && model.skins == nullptr, "the model is emptied");
}

void writesMessagesIntoCallerStrings() {
    vexalkit::HeapString message("a caller's text longer than any message of the library");
    const int32_t notFound = 4;
    vexlErrorString(notFound, message.get());
    check(message.text() == "file no found", "the message replaces the caller's text");
}

} // namespace

int main() {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / "vexalkit-windows-caller";
    std::filesystem::create_directories(directory);
    const std::filesystem::path archive = directory / "base.pak";
    writeFile(archive, vexl::writers::buildPak(
                           {{"gfx/palette.lmp",
                             vexl::writers::paletteBytes({{0, 0, 0}, {0x12, 0x34, 0x56}})},
                            {"gfx/face.lmp", vexl::writers::pictureBytes(2, 2, {0, 1, 1, 0})},
                            {"progs/crate.mdl", crateModel()}}));

    readsTheDirectory(archive.string());
    loadsBytesFreedByTheCaller(archive.string());
    loadsAndExpandsAPicture(archive.string());
    loadsEditsAndFreesAModel(archive.string());
    writesMessagesIntoCallerStrings();

    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
    std::printf("windows caller: %d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
