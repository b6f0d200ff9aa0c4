// A program outside Vexalkit's build that uses the installed library as any
// other project would: it lists a PAK archive, loads a model from inside it
// through the raw interface and through the C++ layer, and checks that the
// two agree. The loaders' exact results are the unit suite's business.
//
// Usage: consumer ARCHIVE.pak MODEL_NAME
#include <vexalkit.hpp>
#include <vexalkit_cpp.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static_assert(VEXALKIT_VERSION_MAJOR >= 0 && VEXALKIT_VERSION_MINOR >= 0 &&
              VEXALKIT_VERSION_PATCH >= 0);

namespace {

int failures = 0;

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "consumer: FAILED: %s\n", what);
        ++failures;
    }
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

void listArchive(const std::string& path) {
    FBSTRING archive = heapString(path);
    VEXLPACKINFO_T info{};
    if (succeeded(vexlPackInfoRead(archive, info), "vexlPackInfoRead")) {
        check(info.entryCount > 0, "the archive lists its entries");
        for (uint32_t i = 0; i < info.entryCount; ++i) {
            std::printf("  %-20s %6u bytes\n", info.entries[i].name, info.entries[i].fileLen);
            check(info.entries[i].valid == 1, "every entry lies inside the archive");
        }
        vexlPackInfoKill(info);
    }
    std::free(archive.data);
}

// The model through the raw interface, then through the C++ layer.
void loadModel(const std::string& path, const std::string& modelName) {
    FBSTRING archive = heapString(path);
    FBSTRING name = heapString(modelName);
    VEXLMODEL_T model{};
    if (succeeded(vexlModelLoad(archive, name, model), "vexlModelLoad")) {
        check(model.skinCount > 0 && model.vertexCount > 0 && model.triangleCount > 0 &&
                  model.frameCount > 0,
              "the model has skins, vertices, triangles and frames");
        std::printf("model: %u vertices, %u triangles, first frame \"%.16s\"\n", model.vertexCount,
                    model.triangleCount, model.frameNames);
        try {
            const auto* nameEnd = static_cast<const char*>(std::memchr(model.frameNames, 0, 16));
            const std::string firstFrame(model.frameNames,
                                         nameEnd == nullptr ? 16 : nameEnd - model.frameNames);
            const auto layered = vexalkit::Model::load(path, modelName);
            // A frame group counts once in the record and unpacks into its frames.
            check(layered.frameCount() >= model.frameCount &&
                      layered.triangles().size() == model.triangleCount &&
                      layered.findFrame(firstFrame) == 0u,
                  "the C++ layer reads the same model and finds its first frame");
        } catch (const vexalkit::Error& error) {
            check(false, error.what());
        }
        vexlModelKill(model);
    }
    std::free(name.data);
    std::free(archive.data);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ARCHIVE.pak MODEL_NAME\n", argv[0]);
        return 2;
    }
    std::printf("Vexalkit %s\n", VEXALKIT_VERSION_STRING);
    listArchive(argv[1]);
    loadModel(argv[1], argv[2]);
    return failures == 0 ? 0 : 1;
}
