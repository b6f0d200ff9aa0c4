// Lists a PAK archive, then loads its first model, sprite and picture and
// expands the picture to colours: the library used through vexalkit_cpp.hpp.
#include "vexalkit_cpp.hpp"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// The first valid entry of `type`, or null.
const VEXLPACKENTRY_T* firstOf(const vexalkit::PakDirectory& pak, vexalkit::FileType type) {
    for (const VEXLPACKENTRY_T& entry : pak) {
        if (entry.valid != 0 && vexalkit::whatIs(pak.readFile(entry.name)) == type) {
            return &entry;
        }
    }
    return nullptr;
}

void tour(const std::string& archive) {
    const auto pak = vexalkit::PakDirectory::read(archive);
    std::printf("%s: %zu entries\n", archive.c_str(), pak.size());
    for (const VEXLPACKENTRY_T& entry : pak) {
        const vexalkit::FileType type = vexalkit::whatIs(pak.readFile(entry.name));
        std::printf("  %-24s %8u bytes  %s\n", entry.name, entry.fileLen,
                    std::string(vexalkit::typeName(type)).c_str());
    }

    if (const VEXLPACKENTRY_T* entry = firstOf(pak, vexalkit::FileType::Model)) {
        const auto model = vexalkit::Model::load(pak.readFile(entry->name));
        std::printf("model %s: %u frames of %u vertices, %zu triangles, first frame \"%s\"\n",
                    entry->name, model.frameCount(), model.vertexSlots(), model.triangles().size(),
                    std::string(model.frameName(0)).c_str());
    }
    if (const VEXLPACKENTRY_T* entry = firstOf(pak, vexalkit::FileType::Sprite)) {
        const auto sprite = vexalkit::Sprite::load(pak.readFile(entry->name));
        std::printf("sprite %s: %zu slots\n", entry->name, sprite.slotCount());
    }
    const VEXLPACKENTRY_T* colors = firstOf(pak, vexalkit::FileType::Palette);
    const VEXLPACKENTRY_T* entry = firstOf(pak, vexalkit::FileType::Picture);
    if (colors != nullptr && entry != nullptr) {
        const auto palette = vexalkit::Palette::load(pak.readFile(colors->name));
        const auto picture = vexalkit::Picture::load(pak.readFile(entry->name));
        const vexalkit::Colors rgba = picture.toRGBA(palette);
        std::printf("picture %s: %u x %u, first colour %08X\n", entry->name, picture.width(),
                    picture.height(), rgba.empty() ? 0u : rgba[0]);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ARCHIVE.pak\n", argv[0]);
        return 2;
    }
    try {
        tour(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
