#include "formats/png_codec.hpp"

#include "failure.hpp"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>

// The PNG reader and writer are compiled into this file only, with their
// functions static. stb's own deflate compresses poorly; zlib does the work.
namespace {
unsigned char* deflateWithZlib(unsigned char* data, int length, int* outLength, int quality);
}

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#define STBIW_ZLIB_COMPRESS deflateWithZlib

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR

#include <stb_image.h>
#include <stb_image_write.h>

namespace {

// zlib's best level: the pictures are small, so the time is of no account.
constexpr int kDeflateLevel = Z_BEST_COMPRESSION;

// The zlib stream of `length` bytes in a block from std::malloc (the writer
// frees it with std::free); null when zlib fails or the result would not fit
// an int. The writer's own level (`quality`) is not used.
unsigned char* deflateWithZlib(unsigned char* data, int length, int* outLength, int /*quality*/) {
    uLongf capacity = compressBound(static_cast<uLong>(length));
    if (capacity > static_cast<uLongf>(INT_MAX)) {
        return nullptr;
    }
    auto* out = static_cast<unsigned char*>(std::malloc(capacity));
    if (out == nullptr) {
        return nullptr;
    }
    if (compress2(out, &capacity, data, static_cast<uLong>(length), kDeflateLevel) != Z_OK) {
        std::free(out);
        return nullptr;
    }
    *outLength = static_cast<int>(capacity);
    return out;
}

} // namespace

namespace vexl::cli {
namespace {

// The writer counts in int: the filtered rows (a filter byte each) and the
// compressed stream must both fit, with room for the chunks around them.
constexpr uint64_t kLargestFilteredBytes = INT_MAX / 2;

// The largest side of a PNG image read, checked in the header before any
// memory is set aside for the pixels: far beyond any texture of the game,
// and 64 MiB of pixels at most.
constexpr uint32_t kLargestSide = 4096;

struct PngOutput {
    std::vector<uint8_t> bytes;
    bool failed = false;
};

// The writer is C and cannot carry an exception, so a failed append is
// noted instead.
void appendToOutput(void* context, void* data, int size) {
    auto* output = static_cast<PngOutput*>(context);
    try {
        const auto* start = static_cast<const uint8_t*>(data);
        output->bytes.insert(output->bytes.end(), start, start + size);
    } catch (const std::bad_alloc&) {
        output->failed = true;
    }
}

std::string sizeText(uint64_t width, uint64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// The width and height the header chunk claims, when the bytes start as a
// PNG file does: the signature, then the header chunk's length (13) and type.
// Read here because the reader's own header check reports an image too large
// for it as an unknown image type.
std::optional<std::pair<uint32_t, uint32_t>> claimedSize(std::span<const uint8_t> bytes) {
    constexpr uint8_t kStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                  0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    constexpr size_t kWidthAt = sizeof kStart;
    if (bytes.size() < kWidthAt + 8 ||
        !std::equal(std::begin(kStart), std::end(kStart), bytes.begin())) {
        return std::nullopt;
    }
    const auto bigEndianAt = [&](size_t at) {
        return uint32_t{bytes[at]} << 24U | uint32_t{bytes[at + 1]} << 16U |
               uint32_t{bytes[at + 2]} << 8U | bytes[at + 3];
    };
    return std::pair{bigEndianAt(kWidthAt), bigEndianAt(kWidthAt + 4)};
}

void refuseLargerThanRead(uint32_t width, uint32_t height, const std::string& what) {
    if (width > kLargestSide || height > kLargestSide) {
        throw Failure(what + ": the PNG image is " + sizeText(width, height) + "; at most " +
                      sizeText(kLargestSide, kLargestSide) + " are read");
    }
}

struct StbImageFree {
    void operator()(stbi_uc* samples) const { stbi_image_free(samples); }
};

} // namespace

std::vector<uint8_t> encodePng(uint32_t width, uint32_t height, const uint32_t* colors,
                               bool withAlpha) {
    const uint64_t channels = withAlpha ? 4 : 3;
    if (width == 0 || height == 0 ||
        (uint64_t{width} * channels + 1) * height > kLargestFilteredBytes) {
        throw Failure("cannot encode PNG image of " + sizeText(width, height));
    }
    const size_t pixels = size_t{width} * height;
    std::vector<uint8_t> samples(pixels * channels);
    for (size_t i = 0; i < pixels; ++i) {
        uint8_t* sample = samples.data() + i * channels;
        sample[0] = static_cast<uint8_t>(colors[i] >> 16);
        sample[1] = static_cast<uint8_t>(colors[i] >> 8);
        sample[2] = static_cast<uint8_t>(colors[i]);
        if (withAlpha) {
            sample[3] = static_cast<uint8_t>(colors[i] >> 24);
        }
    }
    PngOutput output;
    const int rowBytes = static_cast<int>(width * channels);
    if (stbi_write_png_to_func(appendToOutput, &output, static_cast<int>(width),
                               static_cast<int>(height), static_cast<int>(channels), samples.data(),
                               rowBytes) == 0 ||
        output.failed) {
        throw Failure("cannot encode PNG image of " + sizeText(width, height));
    }
    return std::move(output.bytes);
}

DecodedPng decodePng(std::span<const uint8_t> bytes, const std::string& what) {
    if (const auto size = claimedSize(bytes)) {
        refuseLargerThanRead(size->first, size->second, what);
    }
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
        throw Failure(what + ": not a PNG image (larger than 2 GiB)");
    }
    const int length = static_cast<int>(bytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(bytes.data(), length, &width, &height, &channels) == 0) {
        throw Failure(what + ": not a PNG image (" + stbi_failure_reason() + ")");
    }
    refuseLargerThanRead(static_cast<uint32_t>(width), static_cast<uint32_t>(height), what);
    const std::unique_ptr<stbi_uc, StbImageFree> samples(
        stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, STBI_rgb_alpha));
    if (samples == nullptr) {
        throw Failure(what + ": cannot decode PNG image (" + stbi_failure_reason() + ")");
    }
    DecodedPng decoded;
    decoded.width = static_cast<uint32_t>(width);
    decoded.height = static_cast<uint32_t>(height);
    const size_t pixels = size_t{decoded.width} * decoded.height;
    decoded.colors.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const stbi_uc* sample = samples.get() + i * 4;
        decoded.colors[i] = uint32_t{sample[3]} << 24U | uint32_t{sample[0]} << 16U |
                            uint32_t{sample[1]} << 8U | sample[2];
    }
    return decoded;
}

} // namespace vexl::cli
