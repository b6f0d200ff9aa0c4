#include "harness.hpp"

#include "support/temp_dir.hpp"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace vexl::bench {
namespace {

const vexl::testing::TempDir& directory() {
    static const vexl::testing::TempDir files;
    return files;
}

} // namespace

const std::string& benchDirectory() {
    static const std::string path = directory().path().string();
    return path;
}

std::string writeBenchFile(const std::string& name, const Bytes& bytes) {
    return directory().write(name, bytes);
}

uint8_t* plainRead(const std::string& path, uint64_t offset, uint64_t length) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    if (length == 0) {
        struct stat status {};
        ::fstat(descriptor, &status);
        length = static_cast<uint64_t>(status.st_size);
    }
    auto* block = static_cast<uint8_t*>(std::malloc(length));
    uint64_t done = 0;
    while (block != nullptr && done < length) {
        const ssize_t got =
            ::pread(descriptor, block + done, length - done, static_cast<off_t>(offset + done));
        if (got <= 0) {
            break;
        }
        done += static_cast<uint64_t>(got);
    }
    ::close(descriptor);
    return block;
}

StdoutToNull::StdoutToNull() {
    std::cout.flush();
    std::fflush(stdout);
    saved_ = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
}

StdoutToNull::~StdoutToNull() {
    std::fflush(stdout);
    if (saved_ >= 0) {
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }
}

} // namespace vexl::bench
