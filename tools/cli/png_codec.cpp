#include "png_codec.hpp"

#include "library.hpp"

#include <png.h>

#include <csetjmp>

namespace vexl::cli {
namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// libpng reports errors by longjmp; nothing with a destructor may live
// between the setjmp and the calls that can jump, so the rows and the output
// are prepared by the caller.
bool writePng(std::vector<uint8_t>& out, uint32_t width, uint32_t height, int colorType,
              png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendToVector, flushNothing);
    png_set_IHDR(png, info, width, height, 8, colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

std::vector<uint8_t> encodePng(uint32_t width, uint32_t height, const uint32_t* colors,
                               bool withAlpha) {
    const size_t channels = withAlpha ? 4 : 3;
    std::vector<uint8_t> samples(static_cast<size_t>(width) * height * channels);
    std::vector<png_bytep> rows(height);
    for (size_t i = 0, pixels = static_cast<size_t>(width) * height; i < pixels; ++i) {
        uint8_t* sample = samples.data() + i * channels;
        sample[0] = static_cast<uint8_t>(colors[i] >> 16);
        sample[1] = static_cast<uint8_t>(colors[i] >> 8);
        sample[2] = static_cast<uint8_t>(colors[i]);
        if (withAlpha) {
            sample[3] = static_cast<uint8_t>(colors[i] >> 24);
        }
    }
    for (uint32_t y = 0; y < height; ++y) {
        rows[y] = samples.data() + static_cast<size_t>(y) * width * channels;
    }
    std::vector<uint8_t> out;
    if (!writePng(out, width, height, withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                  rows.data())) {
        throw Failure("cannot encode PNG image");
    }
    return out;
}

DecodedPng decodePng(std::span<const uint8_t> bytes, const std::string& what) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
        throw Failure(what + ": not a PNG image (" + image.message + ")");
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> samples(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, samples.data(), 0, nullptr) == 0) {
        const std::string message = image.message;
        png_image_free(&image);
        throw Failure(what + ": cannot decode PNG image (" + message + ")");
    }
    DecodedPng decoded;
    decoded.width = image.width;
    decoded.height = image.height;
    decoded.colors.reserve(samples.size() / 4);
    for (size_t i = 0; i + 3 < samples.size(); i += 4) {
        decoded.colors.push_back(uint32_t{samples[i + 3]} << 24U | uint32_t{samples[i]} << 16U |
                                 uint32_t{samples[i + 1]} << 8U | samples[i + 2]);
    }
    return decoded;
}

} // namespace vexl::cli
