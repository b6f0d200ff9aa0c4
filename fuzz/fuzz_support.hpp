// Helpers shared by the fuzz targets: caller-side strings (the layer's),
// and a budget that fails an input whose loading allocates far more than the
// input's own size.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/counts.hpp"
#include "vexalkit/heap_string.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sanitizer/allocator_interface.h>
#include <string_view>
#include <vector>

namespace fuzzing {

inline std::string_view asText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Fills `palette` with a fixed palette and, when `rows` is not negative, a
// colormap of that many rows (0 rows: a one-byte colormap file, which the
// loader may refuse; the palette then stands alone).
inline void loadFixedPalette(VEXLPALETTE_T& palette, int rows) {
    std::vector<uint8_t> colors(768);
    for (size_t i = 0; i < colors.size(); ++i) {
        colors[i] = static_cast<uint8_t>(i * 7);
    }
    const uint8_t* bytes = colors.data();
    uint32_t size = static_cast<uint32_t>(colors.size());
    if (vexlPaletteLoad(bytes, size, palette) != 0) {
        std::abort();
    }
    if (rows < 0) {
        return;
    }
    std::vector<uint8_t> colorMap(static_cast<size_t>(rows) * 256 + 1);
    for (size_t i = 0; i < colorMap.size(); ++i) {
        colorMap[i] = static_cast<uint8_t>(i * 13 + i / 256);
    }
    bytes = colorMap.data();
    size = static_cast<uint32_t>(colorMap.size());
    if (vexlColorMapLoad(bytes, size, palette) != 0 && rows != 0) {
        std::abort();
    }
}

// Expands `picture` with `palette` at colormap row `row` and checks that
// every colour written is a palette colour (opaque), then frees the block.
inline void expandAndCheck(const VEXLPICTURE_T& picture, const VEXLPALETTE_T& palette,
                           int32_t row) {
    uint32_t* rgb = vexlPictureToRGB(picture, palette, row);
    if (rgb == nullptr) {
        return;
    }
    const uint64_t count = uint64_t{picture.width} * picture.height;
    for (uint64_t i = 0; i < count; ++i) {
        if ((rgb[i] >> 24) != 0xFF) {
            std::fprintf(stderr, "colour %llu was not written\n",
                         static_cast<unsigned long long>(i));
            std::abort();
        }
    }
    std::free(rgb);
}

// Counts every byte requested from the heap while a budget is open. The hook
// runs inside the allocator, so it only adds to a counter.
inline size_t gRequestedBytes = 0;
inline bool gCounting = false;

inline void countMalloc(const volatile void*, size_t size) {
    if (gCounting) {
        gRequestedBytes += size;
    }
}
inline void ignoreFree(const volatile void*) {}

// While alive, sums the bytes the library asks for. An input of n bytes may
// make it ask for at most `perByte` × n + `fixed` bytes in all (temporaries
// included); more than that is an amplification a hostile file could use, so
// the input is reported as a crash. The constant leaves room for loaders that
// accept data cut short: a picture whose pixels run past the end still gets
// its whole (zero-filled) block, up to a bound of their own.
class AllocationBudget {
  public:
    static constexpr size_t kPerByte = 32;
    static constexpr size_t kFixed = size_t{8} << 20;

    explicit AllocationBudget(size_t inputSize, size_t perByte = kPerByte)
        : limit_(inputSize * perByte + kFixed) {
        static const bool installed =
            __sanitizer_install_malloc_and_free_hooks(countMalloc, ignoreFree) != 0;
        (void)installed;
        gRequestedBytes = 0;
        gCounting = true;
    }
    ~AllocationBudget() {
        gCounting = false;
        if (gRequestedBytes > limit_) {
            std::fprintf(stderr, "allocation budget exceeded: %zu bytes requested, limit %zu\n",
                         gRequestedBytes, limit_);
            std::abort();
        }
    }
    AllocationBudget(const AllocationBudget&) = delete;
    AllocationBudget& operator=(const AllocationBudget&) = delete;

  private:
    size_t limit_;
};

} // namespace fuzzing
