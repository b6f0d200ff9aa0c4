#include "archive/wad2.hpp"

#include "frame/blocks.hpp"
#include "frame/reader.hpp"
#include "frame/status.hpp"

#include <cstring>
#include <string_view>

namespace vexl {
namespace {

static_assert(wad2::kNameFieldSize < sizeof(VEXLWADENTRY_T::name),
              "a full name field still leaves room for its terminating zero");

void readEntry(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
               VEXLWADENTRY_T& entry) {
    vexlReadLong(buffer, size, cursor, entry.filePos);
    vexlReadLong(buffer, size, cursor, entry.diskLen);
    vexlReadLong(buffer, size, cursor, entry.fileLen);
    vexlReadByte(buffer, size, cursor, entry.entryType);
    vexlReadByte(buffer, size, cursor, entry.compression);
    vexlSkip(size, cursor, wad2::kPaddingSize);
    bool taken = false;
    const std::string_view name = vexlReadField(buffer, size, cursor, wad2::kNameFieldSize, taken);
    // The entry comes zero-filled, so the name stays zero-terminated and
    // zero after its end.
    std::memcpy(entry.name, name.data(), name.size());
}

} // namespace

int32_t wadGetInfo(const uint8_t* const& buffer, const uint32_t& size, VEXLWADINFO_T& info) {
    uint32_t cursor = 0;
    bool taken = false;
    const std::string_view magic = vexlReadField(buffer, size, cursor, wad2::kMagicWidth, taken);
    if (magic != wad2::kMagic) {
        return status::kWadBadMagic;
    }
    uint32_t entryCount = 0;
    uint32_t dirOffset = 0;
    vexlReadLong(buffer, size, cursor, entryCount);
    if (entryCount == 0) {
        return status::kWadBadDirectory;
    }
    vexlReadLong(buffer, size, cursor, dirOffset);
    // 64-bit: an offset near the top of the 32-bit range must not wrap back
    // inside the buffer.
    const uint64_t dirLength = static_cast<uint64_t>(entryCount) * wad2::kEntrySize;
    if (dirOffset + dirLength > size) {
        return status::kWadBadDirectory;
    }
    auto* entries = allocBlock<VEXLWADENTRY_T>(entryCount);
    if (entries == nullptr) {
        return status::kWadBadDirectory;
    }
    // Local copies: the caller's pointer and size are references, which the
    // byte stores into the entries could alias, forcing a reload per read.
    const uint8_t* const bytes = buffer;
    const uint32_t byteCount = size;
    cursor = dirOffset;
    for (uint32_t i = 0; i < entryCount; ++i) {
        readEntry(bytes, byteCount, cursor, entries[i]);
    }
    std::memcpy(info.magic, wad2::kMagic, sizeof(info.magic));
    info.dirOffset = dirOffset;
    info.dirLength = static_cast<uint32_t>(dirLength);
    info.entryCount = entryCount;
    info.entries = entries;
    return status::kOk;
}

void wadKill(VEXLWADINFO_T& info) {
    freeBlock(info.entries);
    std::memset(info.magic, 0, sizeof(info.magic));
    info.dirOffset = 0;
    info.dirLength = 0;
    info.entryCount = 0;
}

} // namespace vexl
