// Reading ranges of an archive file on disk directly, so that taking every
// entry of an archive reads its directory once, not once per entry.
#pragma once

#include "host/files.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace vexl::cli {

class ArchiveFile {
  public:
    // Opens `path`; throws Failure when it cannot be read.
    explicit ArchiveFile(const std::string& path) : file_(path) {}

    // The `length` bytes at `position`; throws Failure when they cannot all
    // be read. Safe from several threads at once.
    std::vector<uint8_t> read(uint32_t position, uint32_t length) const {
        std::vector<uint8_t> bytes(length);
        file_.readAt(position, bytes);
        return bytes;
    }

  private:
    host::ReadableFile file_;
};

} // namespace vexl::cli
