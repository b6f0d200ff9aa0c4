// Checking map sources. The library reports what it reads on standard
// output; checkMap captures that text. Not part of vexalkit_cpp.hpp: include
// this header where maps are checked.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/bytes.hpp"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vexalkit {

// Sends what the process writes to file descriptor 1 into a temporary file
// until take() or destruction. On Windows standard output is in text mode
// meanwhile, as a console's is, so newline translation shows in the bytes.
// Descriptor 1 belongs to the whole process: output that other threads
// write while a capture runs is captured too.
class StdoutCapture {
  public:
    StdoutCapture() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        file_ = std::filesystem::temp_directory_path() /
                ("vexalkit-stdout-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::fflush(stdout);
        std::FILE* const sink = std::fopen(file_.string().c_str(), "wb");
        if (sink == nullptr) {
            throw std::runtime_error("cannot create " + file_.string());
        }
        const int output = fileNumber(stdout);
        saved_ = duplicate(output);
        const bool redirected = saved_ >= 0 && redirect(fileNumber(sink), output) >= 0;
        std::fclose(sink);
        if (!redirected) {
            restore();
            removeFile();
            throw std::runtime_error("cannot redirect standard output");
        }
#if defined(_WIN32)
        _setmode(output, _O_TEXT);
#endif
    }
    ~StdoutCapture() {
        restore();
        removeFile();
    }
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Ends the capture and returns the bytes written during it.
    std::string take() {
        restore();
        std::ifstream in(file_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
#if defined(_WIN32)
    static int fileNumber(std::FILE* file) {
        return _fileno(file);
    }
    static int duplicate(int descriptor) {
        return _dup(descriptor);
    }
    static int redirect(int from, int to) {
        return _dup2(from, to);
    }
    static void closeDescriptor(int descriptor) {
        _close(descriptor);
    }
#else
    static int fileNumber(std::FILE* file) {
        return fileno(file);
    }
    static int duplicate(int descriptor) {
        return dup(descriptor);
    }
    static int redirect(int from, int to) {
        return dup2(from, to);
    }
    static void closeDescriptor(int descriptor) {
        close(descriptor);
    }
#endif

    void restore() {
        if (saved_ < 0) {
            return;
        }
        std::fflush(stdout);
        redirect(saved_, fileNumber(stdout));
        closeDescriptor(saved_);
        saved_ = -1;
    }
    void removeFile() {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
    }

    std::filesystem::path file_;
    int saved_ = -1;
};

// The outcome of a map check: the status (0: the map reads cleanly) and the
// report the library printed.
struct MapCheck {
    int32_t status = 0;
    std::string report;
    bool ok() const noexcept { return status == 0; }
};

// Checks a map source in memory and captures its report. Checks made through
// this function run one at a time; see StdoutCapture for other output.
inline MapCheck checkMap(std::span<const uint8_t> bytes) {
    static std::mutex oneAtATime;
    const std::lock_guard<std::mutex> lock(oneAtATime);
    const uint32_t size = detail::sizeOf(bytes);
    StdoutCapture capture;
    MapCheck check;
    check.status = vexlMapLoad(bytes.data(), size);
    check.report = capture.take();
    return check;
}

// Checks a map source and lets the library print its report as it goes.
inline int32_t checkMapPrinting(std::span<const uint8_t> bytes) {
    return vexlMapLoad(bytes.data(), detail::sizeOf(bytes));
}

} // namespace vexalkit
