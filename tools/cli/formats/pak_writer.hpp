// Writing a PAK archive: the header, the files' bytes back to back in the
// order added, then the directory of 64-byte entries.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vexl::cli {

class PakWriter {
  public:
    // The name field is 56 bytes: the name and at least one zero.
    static constexpr size_t kNameFieldBytes = 56;

    PakWriter();

    // Appends a file; `name` must fit the name field (the caller checks).
    // Throws Failure naming `what` when the archive would pass the 4 GiB its
    // 32-bit offsets reach.
    void add(const std::string& name, std::span<const uint8_t> bytes, const std::string& what);

    // The whole archive; the writer is spent.
    std::vector<uint8_t> finish();

  private:
    std::vector<uint8_t> archive_;
    std::vector<uint8_t> directory_;
};

} // namespace vexl::cli
