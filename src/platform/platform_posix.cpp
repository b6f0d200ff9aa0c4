#if !defined(_WIN32)

#include "platform/platform.hpp"

#include <atomic>
#include <cassert>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexl::platform {
namespace {

constexpr int kClosed = -1;

// The descriptor each slot holds, kClosed when none. Any file still open when
// the library is unloaded is closed by this table's destructor.
struct DescriptorTable {
    std::atomic<int> descriptors[kHandlePoolSize];
    DescriptorTable() {
        for (auto& descriptor : descriptors) {
            descriptor.store(kClosed);
        }
    }
    ~DescriptorTable() {
        for (auto& descriptor : descriptors) {
            const int open = descriptor.exchange(kClosed);
            if (open != kClosed) {
                ::close(open);
            }
        }
    }
};

DescriptorTable& table() {
    static DescriptorTable descriptors;
    return descriptors;
}

} // namespace

std::string hostPath(std::string_view libraryPath) {
    std::string host(libraryPath);
    for (char& value : host) {
        if (value == '\\') {
            value = '/';
        }
    }
    return host;
}

bool isPlainFilePresent(std::string_view libraryPath) {
    struct stat status {};
    if (::stat(hostPath(libraryPath).c_str(), &status) != 0) {
        return false;
    }
    return S_ISREG(status.st_mode);
}

bool openForReading(int slot, std::string_view libraryPath) {
    assert(isPoolSlot(slot));
    int descriptor = -1;
    do {
        descriptor = ::open(hostPath(libraryPath).c_str(), O_RDONLY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    closeFile(slot);
    table().descriptors[slot].store(descriptor);
    return true;
}

bool fileLength(int slot, uint64_t& length) {
    assert(isPoolSlot(slot));
    const int descriptor = table().descriptors[slot].load();
    struct stat status {};
    if (descriptor == kClosed || ::fstat(descriptor, &status) != 0) {
        return false;
    }
    length = static_cast<uint64_t>(status.st_size);
    return true;
}

bool readAt(int slot, uint64_t offset, void* destination, uint32_t count) {
    assert(isPoolSlot(slot));
    const int descriptor = table().descriptors[slot].load();
    if (descriptor == kClosed) {
        return false;
    }
    auto* bytes = static_cast<char*>(destination);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(descriptor, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<uint32_t>(got);
    }
    return true;
}

void closeFile(int slot) {
    assert(isPoolSlot(slot));
    const int open = table().descriptors[slot].exchange(kClosed);
    if (open != kClosed) {
        ::close(open);
    }
}

int consoleColumns() {
    constexpr int kDefaultColumns = 80;
    if (::isatty(STDOUT_FILENO) == 0) {
        return kDefaultColumns;
    }
    struct winsize size {};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
        return kDefaultColumns;
    }
    return size.ws_col;
}

void writeConsole(const char* bytes, size_t count) {
    std::fwrite(bytes, 1, count, stdout);
    std::fflush(stdout);
}

} // namespace vexl::platform

#endif
