#include "archive/wad2.hpp"

#include "frame/blocks.hpp"
#include "frame/cursor.hpp"
#include "frame/status.hpp"

#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vexl {
namespace {

// An entry in memory: the name, zero-padded, then the directory entry's
// first 14 bytes (three integers and two codes) in the same order as on disk.
static_assert(wad2::kNameFieldSize < sizeof(VEXLWADENTRY_T::name),
              "a full name field still leaves room for its terminating zero");
static_assert(offsetof(VEXLWADENTRY_T, filePos) == 20 && offsetof(VEXLWADENTRY_T, diskLen) == 24 &&
                  offsetof(VEXLWADENTRY_T, fileLen) == 28 &&
                  offsetof(VEXLWADENTRY_T, entryType) == 32 &&
                  offsetof(VEXLWADENTRY_T, compression) == 33 && sizeof(VEXLWADENTRY_T) == 36,
              "the entry layout the decoder writes");

// Every byte of every entry is written, padding included: the block that
// holds the entries is not zero-filled first. Each name is searched for its
// first zero once; what follows that zero in the field does not reach the
// record.
#if defined(__SSE2__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// The name field up to its first zero byte, the rest zero.
__m128i nameOnly(__m128i field) {
    // 16 bytes of 0xFF then 16 of zero: read from `16 - length`, the mask
    // that keeps the first `length` bytes.
    alignas(16) static constexpr uint8_t kKeep[32] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                      0xFF, 0xFF, 0xFF, 0xFF};
    const auto zeros =
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(field, _mm_setzero_si128())));
    // Writers pad names with zeros: when every byte from the first zero on
    // is zero (the zeros' bits run to the top) the field is the name as it
    // stands, and the mask is not needed.
    if (static_cast<uint16_t>(zeros | (zeros - 1)) == 0xFFFF) {
        return field;
    }
    const int length = std::countr_zero(zeros);
    return _mm_and_si128(field,
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(kKeep + 16 - length)));
}

// Three stores per entry: the name (bytes 0 to 15); four zero bytes (the
// name's last two and the padding before filePos) and the three integers
// (bytes 16 to 31); the two codes and two zero bytes of padding (32 to 35).
void decodeEntries(const uint8_t* fields, uint32_t count, uint8_t* entry) {
    for (const uint8_t* const end = fields + size_t{count} * wad2::kEntrySize; fields != end;
         fields += wad2::kEntrySize, entry += sizeof(VEXLWADENTRY_T)) {
        const __m128i codes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fields));
        const __m128i name =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(fields + wad2::kNameOffset));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(entry), nameOnly(name));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(entry + 16), _mm_slli_si128(codes, 4));
        const uint32_t typeAndCompression = loadLong(fields + 12) & 0xFFFF;
        std::memcpy(entry + 32, &typeAndCompression, sizeof(typeAndCompression));
    }
}
#else
void decodeEntries(const uint8_t* fields, uint32_t count, uint8_t* entry) {
    for (uint32_t i = 0; i < count;
         ++i, fields += wad2::kEntrySize, entry += sizeof(VEXLWADENTRY_T)) {
        const uint8_t* const name = fields + wad2::kNameOffset;
        std::memset(entry, 0, sizeof(VEXLWADENTRY_T));
        std::memcpy(entry, name,
                    textLength(reinterpret_cast<const char*>(name), wad2::kNameFieldSize));
        auto* record = reinterpret_cast<VEXLWADENTRY_T*>(entry);
        record->filePos = loadLong(fields);
        record->diskLen = loadLong(fields + 4);
        record->fileLen = loadLong(fields + 8);
        record->entryType = fields[12];
        record->compression = fields[13];
    }
}
#endif

} // namespace

int32_t wadGetInfo(const uint8_t* const& buffer, const uint32_t& size, VEXLWADINFO_T& info) {
    ByteCursor archive(buffer, size);
    if (archive.readText(wad2::kMagicWidth) != wad2::kMagic) {
        return status::kWadBadMagic;
    }
    const uint32_t entryCount = archive.readLong();
    if (entryCount == 0) {
        return status::kWadBadDirectory;
    }
    const uint32_t dirOffset = archive.readLong();
    // 64-bit: an offset near the top of the 32-bit range must not wrap back
    // inside the buffer.
    const uint64_t dirLength = uint64_t{entryCount} * wad2::kEntrySize;
    std::optional<SectionCursor> directory = archive.section(dirOffset, dirLength);
    if (!directory) {
        return status::kWadBadDirectory;
    }
    // The decoder writes every byte of every entry.
    auto* entries = allocBlockForOverwrite<VEXLWADENTRY_T>(entryCount);
    if (entries == nullptr) {
        return status::kWadNoMemory;
    }
    decodeEntries(directory->readSpan(dirLength).data(), entryCount,
                  reinterpret_cast<uint8_t*>(entries));
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
