// Palette and colormap loading on arbitrary bytes. The input is loaded as a
// palette; then, onto a loaded palette (the input's, or a fixed one when the
// input is not a palette), as a colormap, twice; a small picture is expanded
// through the result at several rows.
#include "fuzz_support.hpp"

namespace {

void expandFixedPicture(const VEXLPALETTE_T& palette) {
    uint8_t pixels[6] = {0, 1, 127, 128, 254, 255};
    const VEXLPICTURE_T picture{3, 2, pixels};
    for (const int32_t row : {-1, 0, 1, 1000, 0x7FFFFFFF}) {
        fuzzing::expandAndCheck(picture, palette, row);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* const buffer = data;
    const uint32_t bufferSize = static_cast<uint32_t>(size);
    VEXLPALETTE_T palette{};
    int32_t status = 0;
    {
        fuzzing::AllocationBudget budget(size);
        status = vexlPaletteLoad(buffer, bufferSize, palette);
    }
    if (status != 0) {
        fuzzing::loadFixedPalette(palette, -1);
    }
    {
        fuzzing::AllocationBudget budget(size);
        vexlColorMapLoad(buffer, bufferSize, palette);
        vexlColorMapLoad(buffer, bufferSize, palette);
    }
    expandFixedPicture(palette);
    vexlPaletteKill(palette);
    vexlPaletteKill(palette);
    return 0;
}
