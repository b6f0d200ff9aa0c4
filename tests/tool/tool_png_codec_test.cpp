// The tool's PNG codec on files it never writes itself (other colour types,
// 16-bit samples, interlacing) and on sizes it must refuse.
#include "formats/png_codec.hpp"
#include "png_fixture.hpp"
#include "tool_run.hpp"
#include "writers/image_writer.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace vexl::testing {
namespace {

// Five by three pixels, so that the interlaced passes come out uneven and
// some are empty; colours 0xAARRGGBB, every channel different.
constexpr uint32_t kWidth = 5;
constexpr uint32_t kHeight = 3;
constexpr uint32_t kColors[] = {0xFF102030, 0x80A0B0C0, 0x00FF0001, 0x40123456};
constexpr uint8_t kPixelColor[kWidth * kHeight] = {0, 1, 2, 3, 0, 1, 1, 0, 3, 2, 2, 3, 0, 1, 0};

uint8_t channel(uint32_t color, int shift) {
    return static_cast<uint8_t>(color >> shift);
}

// Each pixel's samples as `append` writes them from its colour.
std::vector<uint8_t> samplesOf(const std::function<void(std::vector<uint8_t>&, size_t)>& append) {
    std::vector<uint8_t> samples;
    for (const uint8_t index : kPixelColor) {
        append(samples, index);
    }
    return samples;
}

void appendRgba(std::vector<uint8_t>& out, size_t index) {
    for (const int shift : {16, 8, 0, 24}) {
        out.push_back(channel(kColors[index], shift));
    }
}

PngLayout rgbaLayout() {
    PngLayout layout;
    layout.width = kWidth;
    layout.height = kHeight;
    return layout;
}

struct PngVariant {
    const char* name;
    PngLayout layout;
    std::vector<uint8_t> samples;
    bool keepsAlpha;
};

std::vector<PngVariant> variants() {
    const PngLayout rgba = rgbaLayout();
    PngLayout rgb = rgba;
    rgb.colorType = 2;
    PngLayout rgba16 = rgba;
    rgba16.bitDepth = 16;
    PngLayout interlaced = rgba;
    interlaced.interlaced = true;
    PngLayout indexed = rgba;
    indexed.colorType = 3;
    for (const uint32_t color : kColors) {
        indexed.palette.insert(indexed.palette.end(),
                               {channel(color, 16), channel(color, 8), channel(color, 0)});
        indexed.transparency.push_back(channel(color, 24));
    }
    PngLayout interlaced16 = rgba16;
    interlaced16.interlaced = true;
    // A 16-bit sample v * 257 is the 8-bit sample v exactly.
    const auto appendRgba16 = [](std::vector<uint8_t>& out, size_t index) {
        std::vector<uint8_t> eight;
        appendRgba(eight, index);
        for (const uint8_t value : eight) {
            out.insert(out.end(), {value, value});
        }
    };
    return {
        {"RGBA", rgba, samplesOf(appendRgba), true},
        {"RGB", rgb, samplesOf([](std::vector<uint8_t>& out, size_t index) {
             for (const int shift : {16, 8, 0}) {
                 out.push_back(channel(kColors[index], shift));
             }
         }),
         false},
        {"RGBA 16-bit", rgba16, samplesOf(appendRgba16), true},
        {"palette with transparency", indexed,
         samplesOf([](std::vector<uint8_t>& out, size_t index) {
             out.push_back(static_cast<uint8_t>(index));
         }),
         true},
        {"RGBA interlaced", interlaced, samplesOf(appendRgba), true},
        {"RGBA 16-bit interlaced", interlaced16, samplesOf(appendRgba16), true},
    };
}

TEST(ToolPngCodecTest, EveryColourTypeDepthAndInterlaceDecodesToTheSameColours) {
    for (const PngVariant& variant : variants()) {
        const cli::DecodedPng decoded =
            cli::decodePng(pngBytes(variant.layout, variant.samples), variant.name);
        EXPECT_EQ(decoded.width, kWidth) << variant.name;
        EXPECT_EQ(decoded.height, kHeight) << variant.name;
        std::vector<uint32_t> expected;
        for (const uint8_t index : kPixelColor) {
            expected.push_back(variant.keepsAlpha ? kColors[index] : kColors[index] | 0xFF000000);
        }
        EXPECT_EQ(decoded.colors, expected) << variant.name;
    }
}

TEST(ToolPngCodecTest, EncodedColoursDecodeUnchanged) {
    std::vector<uint32_t> colors;
    for (const uint8_t index : kPixelColor) {
        colors.push_back(kColors[index]);
    }
    for (const bool withAlpha : {true, false}) {
        const std::vector<uint8_t> file = cli::encodePng(kWidth, kHeight, colors.data(), withAlpha);
        std::vector<uint32_t> expected = colors;
        if (!withAlpha) {
            for (uint32_t& color : expected) {
                color |= 0xFF000000;
            }
        }
        EXPECT_EQ(cli::decodePng(file, "encoded").colors, expected) << withAlpha;
    }
}

TEST(ToolPngCodecTest, ImagesTooLargeForTheWriterAreRefusedBeforeAnyPixelIsRead) {
    // The writer counts bytes in int; 40000 x 40000 RGBA would overflow it.
    const uint32_t unread = 0;
    try {
        cli::encodePng(40000, 40000, &unread, true);
        FAIL() << "a 40000 x 40000 image was encoded";
    } catch (const std::runtime_error& failure) {
        EXPECT_STREQ(failure.what(), "cannot encode PNG image of 40000 x 40000 pixels");
    }
}

using ToolPngInputTest = ToolTest;

TEST_F(ToolPngInputTest, WadRefusesPngFilesItCannotReadNamingThem) {
    std::vector<uint8_t> truncated = pngBytes(rgbaLayout(), samplesOf(appendRgba));
    truncated.resize(truncated.size() - 20); // into the pixel data
    const struct {
        const char* file;
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"huge.png", pngHeaderOnly(4104, 8),
         "huge.png: the PNG image is 4104 x 8 pixels; at most 4096 x 4096 pixels are read"},
        {"tall.png", pngHeaderOnly(8, 0x7FFFFFF8),
         "tall.png: the PNG image is 8 x 2147483640 pixels; at most 4096 x 4096 pixels are read"},
        {"text.png", text("not an image at all"), "text.png: not a PNG image ("},
        {"cut.png", truncated, "cut.png: cannot decode PNG image ("},
    };
    work_.write("colors.lmp", writers::paletteBytes());
    for (const auto& refused : cases) {
        work_.write(refused.file, refused.bytes);
        const ToolRun made =
            run("wad " + std::string(refused.file) + " -o out.wad --palette colors.lmp");
        EXPECT_EQ(made.exitCode, 1) << refused.file;
        EXPECT_NE(made.err.find(refused.message), std::string::npos) << made.err;
    }
    EXPECT_FALSE(std::filesystem::exists(work_.path() / "out.wad"));
}

} // namespace
} // namespace vexl::testing
