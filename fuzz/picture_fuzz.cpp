// Picture loading on arbitrary bytes, then expansion to colours with a
// palette alone, with a colormap at several rows, and with a colormap of no
// rows at all.
#include "fuzz_support.hpp"

namespace {

struct Palettes {
    VEXLPALETTE_T plain{};
    VEXLPALETTE_T mapped{};
    VEXLPALETTE_T noRows{};
    Palettes() {
        fuzzing::loadFixedPalette(plain, -1);
        fuzzing::loadFixedPalette(mapped, 4);
        fuzzing::loadFixedPalette(noRows, 0);
    }
};

const Palettes& palettes() {
    static const Palettes loaded;
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* const buffer = data;
    const uint32_t bufferSize = static_cast<uint32_t>(size);
    const Palettes& with = palettes();
    VEXLPICTURE_T picture{};
    {
        fuzzing::AllocationBudget budget(size);
        vexlPictureLoad(buffer, bufferSize, picture);
    }
    {
        // Each expansion is 4 bytes per pixel; five of them are made here.
        fuzzing::AllocationBudget budget(size, 4 * 5 + 1);
        fuzzing::expandAndCheck(picture, with.plain, 0);
        fuzzing::expandAndCheck(picture, with.mapped, -1);
        fuzzing::expandAndCheck(picture, with.mapped, 2);
        fuzzing::expandAndCheck(picture, with.mapped, 1000);
        fuzzing::expandAndCheck(picture, with.noRows, 0);
    }
    vexlPictureKill(picture);
    vexlPictureKill(picture);
    return 0;
}
