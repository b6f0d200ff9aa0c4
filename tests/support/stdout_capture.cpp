#include "support/stdout_capture.hpp"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define VEXL_DUP _dup
#define VEXL_DUP2 _dup2
#define VEXL_CLOSE _close
#define VEXL_FILENO _fileno
#else
#include <unistd.h>
#define VEXL_DUP dup
#define VEXL_DUP2 dup2
#define VEXL_CLOSE close
#define VEXL_FILENO fileno
#endif

namespace vexl::testing {

StdoutCapture::StdoutCapture() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    file_ = std::filesystem::temp_directory_path() /
            ("vexalkit-stdout-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::fflush(stdout);
    std::FILE* sink = std::fopen(file_.string().c_str(), "wb");
    if (sink == nullptr) {
        throw std::runtime_error("cannot create " + file_.string());
    }
    const int output = VEXL_FILENO(stdout);
    savedDescriptor_ = VEXL_DUP(output);
    VEXL_DUP2(VEXL_FILENO(sink), output);
    std::fclose(sink);
#if defined(_WIN32)
    _setmode(output, _O_TEXT);
#endif
}

StdoutCapture::~StdoutCapture() {
    restore();
    std::error_code ignored;
    std::filesystem::remove(file_, ignored);
}

void StdoutCapture::restore() {
    if (savedDescriptor_ < 0) {
        return;
    }
    std::fflush(stdout);
    VEXL_DUP2(savedDescriptor_, VEXL_FILENO(stdout));
    VEXL_CLOSE(savedDescriptor_);
    savedDescriptor_ = -1;
}

std::string StdoutCapture::take() {
    restore();
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace vexl::testing
