// Sprite loading on arbitrary bytes, loaded twice into one record (the loader
// empties the record first), then released.
#include "fuzz_support.hpp"

namespace {

void checkPictures(const VEXLSPRITE_T& sprite) {
    const uint64_t slots = vexalkit::spriteSlots(sprite);
    for (uint64_t i = 0; i < slots; ++i) {
        const VEXLPICTURE_T& picture = sprite.pictures[i];
        const uint64_t pixels = uint64_t{picture.width} * picture.height;
        if (pixels != 0 && picture.pixels == nullptr) {
            std::fprintf(stderr, "slot %llu has a size but no pixels\n",
                         static_cast<unsigned long long>(i));
            std::abort();
        }
        // Touch the last pixel so that a block shorter than its size shows.
        if (pixels != 0) {
            volatile uint8_t last = picture.pixels[pixels - 1];
            (void)last;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* const buffer = data;
    const uint32_t bufferSize = static_cast<uint32_t>(size);
    VEXLSPRITE_T sprite{};
    {
        fuzzing::AllocationBudget budget(size);
        if (vexlSpriteLoad(buffer, bufferSize, sprite) == 0) {
            checkPictures(sprite);
        }
    }
    {
        fuzzing::AllocationBudget budget(size);
        vexlSpriteLoad(buffer, bufferSize, sprite);
    }
    vexlSpriteKill(sprite);
    vexlSpriteKill(sprite);
    return 0;
}
