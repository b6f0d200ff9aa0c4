// A program outside Vexalkit's build that uses the library as any other
// project would: it writes a small PAK archive holding a model, lists the
// archive, loads the model from inside it (also through the C++ layer) and
// checks what it read.
//
// Usage: consumer WORK_DIR   (the archive is written there)
#include <vexalkit.hpp>
#include <vexalkit_cpp.hpp>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

static_assert(VEXALKIT_VERSION_MAJOR >= 0 && VEXALKIT_VERSION_MINOR >= 0 &&
              VEXALKIT_VERSION_PATCH >= 0);

namespace {

using Bytes = std::vector<uint8_t>;

void putU32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void putU32s(Bytes& out, std::initializer_list<uint32_t> values) {
    for (uint32_t value : values) {
        putU32(out, value);
    }
}

void putF32s(Bytes& out, std::initializer_list<float> values) {
    for (float value : values) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        putU32(out, bits);
    }
}

void putBytes(Bytes& out, std::initializer_list<uint8_t> values) {
    out.insert(out.end(), values.begin(), values.end());
}

void putText(Bytes& out, std::string_view text, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    }
}

// A model with one 2 x 2 skin, three vertices, one triangle and one frame
// named "stand". Positions unpack as byte * scale + translate.
Bytes triangleModel() {
    Bytes out;
    putText(out, "IDPO", 4);
    putU32(out, 6);                            // version
    putF32s(out, {0.5f, 1.0f, 2.0f});          // scale
    putF32s(out, {-10.0f, 0.0f, 1.0f});        // translate
    putF32s(out, {1.0f, 0.0f, 0.0f, 0.0f});    // bounding radius, eye position
    putU32s(out, {1, 2, 2, 3, 1, 1});          // skins, width, height, vertices, triangles, frames
    putU32s(out, {0, 0});                      // synchronisation type, flags
    putF32s(out, {1.0f});                      // size
    putU32(out, 0);                            // a single skin
    putBytes(out, {1, 2, 3, 4});               // its pixels
    putU32s(out, {0, 0, 0, 0, 1, 0, 0, 0, 1}); // per vertex: on-seam flag, s, t
    putU32s(out, {1, 0, 1, 2});                // a front-facing triangle
    putU32(out, 0);                            // a single frame
    putBytes(out, {0, 0, 0, 0, 255, 255, 255, 0}); // its bounds
    putText(out, "stand", 16);
    putBytes(out, {255, 0, 0, 0, 0, 4, 0, 0, 0, 0, 8, 0}); // packed x, y, z, normal
    return out;
}

// A PAK archive: a 12-byte header, the files, then 64-byte directory entries.
Bytes pakArchive(const std::vector<std::pair<std::string, Bytes>>& files) {
    Bytes body;
    Bytes directory;
    for (const auto& [name, data] : files) {
        putText(directory, name, 56);
        putU32(directory, static_cast<uint32_t>(12 + body.size()));
        putU32(directory, static_cast<uint32_t>(data.size()));
        body.insert(body.end(), data.begin(), data.end());
    }
    Bytes out;
    putText(out, "PACK", 4);
    putU32(out, static_cast<uint32_t>(12 + body.size()));
    putU32(out, static_cast<uint32_t>(directory.size()));
    out.insert(out.end(), body.begin(), body.end());
    out.insert(out.end(), directory.begin(), directory.end());
    return out;
}

// The library takes names as FBSTRINGs whose text comes from malloc.
FBSTRING heapString(const std::string& text) {
    FBSTRING value{static_cast<char*>(std::malloc(text.size() + 1)),
                   static_cast<int32_t>(text.size()), static_cast<int32_t>(text.size())};
    if (value.data == nullptr) {
        std::fprintf(stderr, "consumer: out of memory\n");
        std::exit(1);
    }
    std::memcpy(value.data, text.c_str(), text.size() + 1);
    return value;
}

int failures = 0;

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "consumer: FAILED: %s\n", what);
        ++failures;
    }
}

bool succeeded(int32_t status, const char* call) {
    if (status == 0) {
        return true;
    }
    FBSTRING message{};
    vexlErrorString(status, message);
    std::fprintf(stderr, "consumer: %s failed with %d: %s\n", call, status,
                 message.data != nullptr ? message.data : "");
    std::free(message.data);
    ++failures;
    return false;
}

bool near(float actual, float expected) {
    return std::fabs(actual - expected) < 1e-5f;
}

void listArchive(const std::string& path, uint32_t modelBytes) {
    FBSTRING archive = heapString(path);
    VEXLPACKINFO_T info{};
    if (succeeded(vexlPackInfoRead(archive, info), "vexlPackInfoRead")) {
        check(info.entryCount == 2, "the archive lists two entries");
        for (uint32_t i = 0; i < info.entryCount; ++i) {
            std::printf("  %-20s %6u bytes\n", info.entries[i].name, info.entries[i].fileLen);
        }
        check(info.entryCount == 2 && std::strcmp(info.entries[1].name, "progs\\tri.mdl") == 0,
              "the model's entry is named progs\\tri.mdl");
        check(info.entryCount == 2 && info.entries[1].fileLen == modelBytes &&
                  info.entries[1].valid == 1,
              "the model's entry has its length and lies inside the archive");
        vexlPackInfoKill(info);
    }
    std::free(archive.data);
}

void loadModel(const std::string& path) {
    FBSTRING archive = heapString(path);
    FBSTRING name = heapString("progs/tri.mdl");
    VEXLMODEL_T model{};
    if (succeeded(vexlModelLoad(archive, name, model), "vexlModelLoad")) {
        check(model.skinCount == 1 && model.skins[0].width == 2 && model.skins[0].height == 2 &&
                  model.skins[0].pixels[3] == 4,
              "one 2 x 2 skin with its pixels");
        check(model.vertexCount == 3 && model.seamVertexCount == 0, "three vertices");
        // The loader rewinds every triangle: 0, 1, 2 is stored as 2, 1, 0.
        check(model.triangleCount == 1 && model.triangles[0].vertex[0] == 2 &&
                  model.triangles[0].vertex[2] == 0,
              "one triangle, rewound");
        check(model.frameCount == 1 && std::strncmp(model.frameNames, "stand", 16) == 0,
              "one frame named stand");
        const VEXLVECTOR_T& first = model.vertices[0];
        const VEXLVECTOR_T& third = model.vertices[2];
        check(near(first.x, 117.5f) && near(first.y, 0.0f) && near(first.z, 1.0f),
              "vertex 0 unpacks to (117.5, 0, 1)");
        check(near(third.x, -10.0f) && near(third.z, 17.0f), "vertex 2 unpacks to (-10, 0, 17)");
        std::printf("model: %u vertices, %u triangle, frame \"%.16s\"\n", model.vertexCount,
                    model.triangleCount, model.frameNames);
        vexlModelKill(model);
    }
    std::free(name.data);
    std::free(archive.data);
}

// The same model through the installed C++ layer.
void loadModelWithTheLayer(const std::string& path) {
    try {
        const auto model = vexalkit::Model::load(path, "progs/tri.mdl");
        check(model.frameCount() == 1 && model.findFrame("STAND") == 0u && model.vertexSlots() == 3,
              "the C++ layer loads the model and finds its frame");
    } catch (const vexalkit::Error& error) {
        check(false, error.what());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WORK_DIR\n", argv[0]);
        return 2;
    }
    std::printf("Vexalkit %s\n", VEXALKIT_VERSION_STRING);
    const Bytes model = triangleModel();
    const std::string path = std::string(argv[1]) + "/game.pak";
    {
        const Bytes archive =
            pakArchive({{"readme.txt", Bytes(10, 'x')}, {"progs/tri.mdl", model}});
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(archive.data()),
                   static_cast<std::streamsize>(archive.size()));
        if (!file) {
            std::fprintf(stderr, "consumer: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("%s:\n", path.c_str());
    listArchive(path, static_cast<uint32_t>(model.size()));
    loadModel(path);
    loadModelWithTheLayer(path);
    if (failures != 0) {
        return 1;
    }
    std::printf("consumer: ok\n");
    return 0;
}
