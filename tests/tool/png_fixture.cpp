#include "png_fixture.hpp"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace vexl::testing {
namespace {

void appendU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Length, type, data, then the CRC of type and data.
void appendChunk(std::vector<uint8_t>& out, std::string_view type,
                 const std::vector<uint8_t>& data) {
    appendU32(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    appendU32(out, static_cast<uint32_t>(crc));
}

std::vector<uint8_t> header(const PngLayout& layout) {
    std::vector<uint8_t> data;
    appendU32(data, layout.width);
    appendU32(data, layout.height);
    data.insert(data.end(), {layout.bitDepth, layout.colorType, 0, 0,
                             static_cast<uint8_t>(layout.interlaced ? 1 : 0)});
    return data;
}

std::vector<uint8_t> signatureAndHeader(const PngLayout& layout) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(out, "IHDR", header(layout));
    return out;
}

size_t bytesPerPixel(const PngLayout& layout) {
    constexpr size_t kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    return kChannels[layout.colorType] * layout.bitDepth / 8;
}

struct Pass {
    uint32_t firstX, firstY, stepX, stepY;
};
constexpr Pass kWholeImage = {0, 0, 1, 1};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

// The pass's rows, each led by filter type 0 (none); a pass with no pixel
// has no rows at all.
void appendPass(std::vector<uint8_t>& raw, const PngLayout& layout, const Pass& pass,
                const std::vector<uint8_t>& samples) {
    if (pass.firstX >= layout.width || pass.firstY >= layout.height) {
        return;
    }
    const size_t pixelBytes = bytesPerPixel(layout);
    for (uint32_t y = pass.firstY; y < layout.height; y += pass.stepY) {
        raw.push_back(0);
        for (uint32_t x = pass.firstX; x < layout.width; x += pass.stepX) {
            const size_t at = (size_t{y} * layout.width + x) * pixelBytes;
            raw.insert(raw.end(), samples.begin() + static_cast<std::ptrdiff_t>(at),
                       samples.begin() + static_cast<std::ptrdiff_t>(at + pixelBytes));
        }
    }
}

std::vector<uint8_t> compressed(const std::vector<uint8_t>& raw) {
    uLongf length = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> out(length);
    if (compress2(out.data(), &length, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
        throw std::runtime_error("zlib cannot compress the fixture");
    }
    out.resize(length);
    return out;
}

} // namespace

std::vector<uint8_t> pngBytes(const PngLayout& layout, const std::vector<uint8_t>& samples) {
    if (samples.size() != size_t{layout.width} * layout.height * bytesPerPixel(layout)) {
        throw std::invalid_argument("the samples do not fill the image");
    }
    std::vector<uint8_t> raw;
    if (layout.interlaced) {
        for (const Pass& pass : kAdam7) {
            appendPass(raw, layout, pass, samples);
        }
    } else {
        appendPass(raw, layout, kWholeImage, samples);
    }
    std::vector<uint8_t> out = signatureAndHeader(layout);
    if (!layout.palette.empty()) {
        appendChunk(out, "PLTE", layout.palette);
    }
    if (!layout.transparency.empty()) {
        appendChunk(out, "tRNS", layout.transparency);
    }
    appendChunk(out, "IDAT", compressed(raw));
    appendChunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> pngHeaderOnly(uint32_t width, uint32_t height) {
    PngLayout layout;
    layout.width = width;
    layout.height = height;
    return signatureAndHeader(layout);
}

} // namespace vexl::testing
