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

// An entry in memory: the name, zero-padded, and the directory's first 14
// bytes (three integers and two codes) in the same order as on disk.
static_assert(wad2::kNameFieldSize < sizeof(VEXLWADENTRY_T::name),
              "a full name field still leaves room for its terminating zero");
static_assert(offsetof(VEXLWADENTRY_T, filePos) == 20 && offsetof(VEXLWADENTRY_T, diskLen) == 24 &&
                  offsetof(VEXLWADENTRY_T, fileLen) == 28 &&
                  offsetof(VEXLWADENTRY_T, entryType) == 32 &&
                  offsetof(VEXLWADENTRY_T, compression) == 33 && sizeof(VEXLWADENTRY_T) == 36,
              "the entry layout the decoder writes");
constexpr size_t kCodesEnd = 14; // filePos, diskLen, fileLen, type, compression

// Every byte of `entry` is written, padding included: the block that holds
// the entries is not zero-filled first. The name is searched for its first
// zero once; what follows that zero in the field does not reach the record.
void decodeEntry(const uint8_t* fields, uint8_t* entry) {
    const uint8_t* const name = fields + wad2::kNameOffset;
#if defined(__SSE2__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // 16 bytes of 0xFF then 16 of zero: read from `16 - length`, the mask
    // that keeps the first `length` bytes.
    alignas(16) static constexpr uint8_t kKeep[32] = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0,    0,    0,    0,    0,    0};
    const __m128i text = _mm_loadu_si128(reinterpret_cast<const __m128i*>(name));
    const auto zeros =
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(text, _mm_setzero_si128())));
    const auto length = static_cast<uint32_t>(std::countr_zero(zeros | 0x10000u));
    const __m128i keep = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kKeep + 16 - length));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(entry), _mm_and_si128(text, keep));
    // Bytes 16 to 19 (the name's last two and the padding before filePos)
    // are zero; the four integers' bytes follow.
    const __m128i codes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fields));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(entry + 16), _mm_slli_si128(codes, 4));
    const uint32_t tail = loadLong(fields + 12) & 0xFFFF; // type, compression
    std::memcpy(entry + 32, &tail, sizeof(tail));
#else
    const size_t length = textLength(reinterpret_cast<const char*>(name), wad2::kNameFieldSize);
    std::memset(entry, 0, sizeof(VEXLWADENTRY_T));
    std::memcpy(entry, name, length);
    std::memcpy(entry + offsetof(VEXLWADENTRY_T, filePos), fields, kCodesEnd);
    if constexpr (std::endian::native == std::endian::big) {
        auto* record = reinterpret_cast<VEXLWADENTRY_T*>(entry);
        record->filePos = loadLong(fields);
        record->diskLen = loadLong(fields + 4);
        record->fileLen = loadLong(fields + 8);
    }
#endif
}

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
    auto* entryBytes = reinterpret_cast<uint8_t*>(entries);
    for (uint32_t i = 0; i < entryCount; ++i) {
        decodeEntry(directory->readSpan(wad2::kEntrySize).data(),
                    entryBytes + size_t{i} * sizeof(VEXLWADENTRY_T));
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
