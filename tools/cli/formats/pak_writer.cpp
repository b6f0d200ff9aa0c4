#include "formats/pak_writer.hpp"

#include "failure.hpp"
#include "vexalkit/formats.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vexl::cli {
namespace {

constexpr uint64_t kOffsetLimit = std::numeric_limits<uint32_t>::max();

void putU32(uint8_t* at, uint64_t value) {
    for (size_t i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

} // namespace

PakWriter::PakWriter() : archive_(vexalkit::format::kPakHeaderBytes) {}

void PakWriter::add(const std::string& name, std::span<const uint8_t> bytes,
                    const std::string& what) {
    const uint64_t position = archive_.size();
    if (position + bytes.size() > kOffsetLimit) {
        throw Failure(what + ": the archive would pass 4 GiB, the most its 32-bit offsets reach");
    }
    archive_.insert(archive_.end(), bytes.begin(), bytes.end());
    const size_t at = directory_.size();
    directory_.resize(at + vexalkit::format::kPakEntryBytes, 0);
    std::memcpy(directory_.data() + at, name.data(), std::min(name.size(), kNameFieldBytes - 1));
    putU32(directory_.data() + at + kNameFieldBytes, position);
    putU32(directory_.data() + at + kNameFieldBytes + 4, bytes.size());
}

std::vector<uint8_t> PakWriter::finish() {
    const uint64_t directoryOffset = archive_.size();
    if (directoryOffset + directory_.size() > kOffsetLimit) {
        throw Failure("the archive's directory would end past 4 GiB, the most its 32-bit offsets "
                      "reach");
    }
    std::memcpy(archive_.data(), "PACK", 4);
    putU32(archive_.data() + 4, directoryOffset);
    putU32(archive_.data() + 8, directory_.size());
    archive_.insert(archive_.end(), directory_.begin(), directory_.end());
    return std::move(archive_);
}

} // namespace vexl::cli
