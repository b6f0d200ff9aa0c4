#include "archive_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vexl::cli {

ArchiveFile::ArchiveFile(const std::string& path)
    : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) {
        throw Failure(path + ": " + std::generic_category().message(errno));
    }
}

ArchiveFile::~ArchiveFile() {
    ::close(fd_);
}

std::vector<uint8_t> ArchiveFile::read(uint32_t position, uint32_t length) const {
    std::vector<uint8_t> bytes(length);
    size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd_, bytes.data() + done, length - done,
                                    static_cast<off_t>(position) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw Failure(path_ + ": cannot read " + std::to_string(length) + " bytes at " +
                          std::to_string(position));
        }
        done += static_cast<size_t>(got);
    }
    return bytes;
}

} // namespace vexl::cli
