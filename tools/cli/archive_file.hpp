// Reading ranges of an archive file on disk directly, so that taking every
// entry of an archive reads its directory once, not once per entry.
#pragma once

#include "library.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace vexl::cli {

class ArchiveFile {
  public:
    // Opens `path`; throws Failure when it cannot be read.
    explicit ArchiveFile(const std::string& path);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // The `length` bytes at `position`; throws Failure when they cannot all
    // be read.
    std::vector<uint8_t> read(uint32_t position, uint32_t length) const;

  private:
    std::string path_;
    int fd_ = -1;
};

} // namespace vexl::cli
