#include "output.hpp"

#include "library.hpp"

#include <png.h>

#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace vexl::cli {
namespace {

namespace fs = std::filesystem;

fs::path temporaryBeside(const fs::path& path) {
    static std::atomic<unsigned> counter{0};
    static const unsigned run = std::random_device{}();
    // A hidden name beside the final one: ".NAME.partRUN-COUNT".
    std::string name(1, '.');
    name += path.filename().string();
    name += ".part";
    name += std::to_string(run);
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    return path.parent_path() / name;
}

// A temporary file that is removed unless it was renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!committed_) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const fs::path& path() const { return path_; }
    void commit() { committed_ = true; }

  private:
    fs::path path_;
    bool committed_ = false;
};

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

void writeFileAtomically(const fs::path& path, const uint8_t* bytes, size_t size) {
    std::error_code error;
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path(), error);
        if (error) {
            throw Failure(path.parent_path().string() + ": " + error.message());
        }
    }
    TemporaryFile temporary(temporaryBeside(path));
    {
        std::ofstream out(temporary.path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
        out.close();
        if (!out) {
            throw Failure(path.string() + ": cannot write file");
        }
    }
    fs::rename(temporary.path(), path, error);
    if (error) {
        throw Failure(path.string() + ": " + error.message());
    }
    temporary.commit();
}

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

} // namespace vexl::cli
