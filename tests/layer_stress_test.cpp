// The layer and the library under load: many threads at once, a long frame
// group, a single-byte locale, and allocations that fail.
#include "support/temp_dir.hpp"
#include "vexalkit_cpp.hpp"
#include "writers/byte_writer.hpp"
#include "writers/image_writer.hpp"
#include "writers/model_writer.hpp"

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace writers = vexl::writers;

// A test-only allocation hook: when armed with n, the allocation after n
// further ones fails. It replaces malloc, calloc and realloc of the whole
// test program, so it exists only where glibc offers its own entry points
// and no sanitizer owns the allocator.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEXL_SANITIZED 1
#endif
#endif
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(VEXL_SANITIZED)
#define VEXL_ALLOCATION_HOOK 1
namespace {
std::atomic<long> gAllocationsBeforeFailure{-1};
bool allocationFails() {
    return gAllocationsBeforeFailure.load(std::memory_order_relaxed) >= 0 &&
           gAllocationsBeforeFailure.fetch_sub(1) == 0;
}
} // namespace
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* malloc(std::size_t size) noexcept {
    return allocationFails() ? nullptr : __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    return allocationFails() ? nullptr : __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) noexcept {
    return allocationFails() ? nullptr : __libc_realloc(block, size);
}
}
#endif

namespace {

writers::Bytes modelWithFrames(const std::vector<std::string>& group, const std::string& single) {
    writers::ModelWriter model(2, 2);
    model.skin({1, 2, 3, 4}).texCoord(0, 0).texCoord(1, 1).texCoord(1, 0).triangle(0, 1, 2);
    std::vector<writers::SimpleFrame> frames;
    for (std::size_t k = 0; k < group.size(); ++k) {
        const auto x = static_cast<uint8_t>(k);
        frames.push_back({group[k], {{x, 1, 2, 0}, {3, 4, 5, 0}, {6, 7, 8, 0}}});
    }
    if (!frames.empty()) {
        model.frameGroup(frames);
    }
    return model.frame({single, {{9, 9, 9, 0}, {}, {}}}).build();
}

TEST(LayerThreads, ManyThreadsLoadFromOnePakAtOnce) {
    vexl::testing::TempDir dir;
    const std::string pak =
        dir.write("base.pak",
                  writers::buildPak({{"progs/m.mdl", modelWithFrames({"a", "b"}, "c")},
                                     {"gfx/p.lmp", writers::pictureBytes(2, 1, {1, 2})},
                                     {"gfx/palette.lmp", writers::paletteBytes({{}, {9, 8, 7}})}}));
    constexpr int kThreads = 8;
    constexpr int kRounds = 25;
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int round = 0; round < kRounds; ++round) {
                try {
                    const auto model = vexalkit::Model::load(pak, "progs/m.mdl");
                    const auto palette =
                        vexalkit::Palette::load(vexalkit::readFile(pak, "gfx/palette.lmp"));
                    const auto picture =
                        vexalkit::Picture::load(vexalkit::readFile(pak, "gfx/p.lmp"));
                    const vexalkit::Colors colors = picture.toRGBA(palette);
                    const bool right = model.frameCount() == 3 && model.findFrame("c") == 2u &&
                                       model.frame(1)[0].x == 1.0f && colors[0] == 0xFF090807u;
                    wrong += right ? 0 : 1;
                } catch (const std::exception&) {
                    ++wrong;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong.load(), 0);
}

TEST(LayerModel, AFrameGroupOf256FramesUnrollsAndItsSizeByteWraps) {
    std::vector<std::string> names;
    for (int k = 0; k < 256; ++k) {
        names.push_back("g" + std::to_string(k));
    }
    const auto model = vexalkit::Model::load(modelWithFrames(names, "after"));
    ASSERT_EQ(model.frameCount(), 257u);
    EXPECT_EQ(model.frameGroupSizes()[0], 0) << "only the low 8 bits of 256 are kept";
    EXPECT_EQ(model.frameName(255), "g255");
    EXPECT_EQ(model.frame(255)[0].x, 255.0f);
    EXPECT_EQ(model.findFrame("G200"), 200u);
    EXPECT_EQ(model.findFrame("after"), 256u);
    EXPECT_EQ(model.frame(256)[0].x, 9.0f);
}

// Lower-casing of bytes from 128 up follows the process's locale, in the
// library (frame 1) and in the layer (frame 0). C and C.UTF-8 lower none of
// them; a single-byte Latin-1 locale lowers 0xC4 (A with diaeresis) to 0xE4.
// scripts/deps.sh generates one; without it the test is skipped.
TEST(LayerLocale, FrameNamesFoldHighBytesUnderASingleByteLocale) {
    const auto model = vexalkit::Model::load(modelWithFrames({"\xC4rger"}, "\xC4pfel"));
    EXPECT_EQ(model.findFrame("\xE4rger"), std::nullopt) << "the C locale leaves 0xC4 alone";
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    const char* found = nullptr;
    for (const char* name : {"de_DE.ISO-8859-1", "de_DE.iso88591", "en_US.ISO-8859-1", ".1252"}) {
        if ((found = std::setlocale(LC_CTYPE, name)) != nullptr) {
            break;
        }
    }
    if (found == nullptr) {
        GTEST_SKIP() << "no single-byte locale is installed";
    }
    const std::optional<uint32_t> first = model.findFrame("\xE4RGER");
    const std::optional<uint32_t> second = model.findFrame("\xE4PFEL");
    vexalkit::HeapString name("A.MDL");
    vexalkit::HeapString extensions(".\xC4X");
    vexlForceType(name.get(), extensions.get());
    std::setlocale(LC_CTYPE, previous.c_str());
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 1u);
    EXPECT_EQ(extensions.text(), ".\xE4x");
    EXPECT_EQ(name.text(), "A.MDL.\xE4x");
}

#if defined(VEXL_ALLOCATION_HOOK)
// Each allocation of a model load fails in turn: the load reports the
// failure or, where it copes, succeeds with every array in place.
TEST(LayerMemory, EveryFailedAllocationOfAModelLoadIsReported) {
    const writers::Bytes bytes = modelWithFrames({"a", "b"}, "c");
    const uint8_t* const data = bytes.data();
    const auto size = static_cast<uint32_t>(bytes.size());
    bool completed = false;
    for (long n = 0; n < 1000 && !completed; ++n) {
        VEXLMODEL_T model{};
        gAllocationsBeforeFailure = n;
        const int32_t status = vexlModelLoad(data, size, model);
        completed = gAllocationsBeforeFailure.exchange(-1) >= 0;
        if (status == 0) {
            EXPECT_TRUE(model.vertices != nullptr && model.frameNames != nullptr &&
                        model.triangles != nullptr && model.skins[0].pixels != nullptr)
                << "allocation " << n;
        } else {
            EXPECT_EQ(model.vertices, nullptr) << "allocation " << n;
        }
        vexlModelKill(model);
    }
    EXPECT_TRUE(completed);
}

TEST(LayerMemory, TheLayerThrowsBadAllocWhenTheHeapIsExhausted) {
    const auto palette = vexalkit::Palette::load(writers::paletteBytes());
    const auto picture = vexalkit::Picture::load(writers::pictureBytes(1, 1, {0}));
    gAllocationsBeforeFailure = 0;
    EXPECT_THROW(picture.toRGBA(palette), std::bad_alloc);
    gAllocationsBeforeFailure = 0;
    EXPECT_THROW(vexalkit::HeapString("x"), std::bad_alloc);
    gAllocationsBeforeFailure = -1;
}
#endif

} // namespace
