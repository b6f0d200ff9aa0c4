// PAK and WAD2 directories.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/bytes.hpp"
#include "vexalkit/error.hpp"
#include "vexalkit/heap_string.hpp"
#include "vexalkit/owner.hpp"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace vexalkit {

namespace detail {

// The text of a zero-padded name field.
template <std::size_t N> std::string_view fieldText(const char (&field)[N]) {
    const void* const end = std::memchr(field, 0, N);
    return {field,
            end == nullptr ? N : static_cast<std::size_t>(static_cast<const char*>(end) - field)};
}

// Blanks off both ends, as the archive road trims entry names.
inline std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The entry list shared by both directory kinds.
template <typename Record, typename Entry> class Directory : public Owner<Record> {
  public:
    // Every entry, in directory order.
    std::span<const Entry> entries() const noexcept {
        const Record& record = this->record_;
        return {record.entries, record.entries == nullptr ? 0 : record.entryCount};
    }
    std::size_t size() const noexcept { return entries().size(); }
    bool empty() const noexcept { return size() == 0; }
    const Entry* begin() const noexcept { return entries().data(); }
    const Entry* end() const noexcept { return begin() + size(); }
};

} // namespace detail

// An entry's name: the cleaned path with "\" separators.
inline std::string_view entryName(const VEXLPACKENTRY_T& entry) {
    return detail::fieldText(entry.name);
}
// A WAD2 entry's name, at most 16 characters.
inline std::string_view entryName(const VEXLWADENTRY_T& entry) {
    return detail::fieldText(entry.name);
}

// The directory of a PAK archive on disk.
class PakDirectory : public detail::Directory<VEXLPACKINFO_T, VEXLPACKENTRY_T> {
  public:
    // Reads the directory of `archive` (".pak" is added when missing; either
    // separator). Throws Error: isNotFound() when there is no such archive,
    // NotPak/PakCorrupted for bytes that are not one.
    static PakDirectory read(std::string_view archive) {
        PakDirectory directory;
        HeapString name(archive);
        check(vexlPackInfoRead(name.get(), directory.record()), archive);
        directory.archive_ = archive;
        return directory;
    }

    // entries() lists invalid entries too (bytes outside the archive): see
    // VEXLPACKENTRY_T::valid.
    const std::string& archive() const noexcept { return archive_; }

    // The first valid entry that readFile(name) would read: `name` is
    // cleaned as the library cleans it ("/" or "\", "." and ".." parts),
    // and compared case-sensitively. Null when there is none.
    const VEXLPACKENTRY_T* find(std::string_view name) const {
        const std::string wanted = cleanPath(name);
        for (const VEXLPACKENTRY_T& entry : entries()) {
            if (entry.valid == 1 && detail::trimBlanks(entryName(entry)) == wanted) {
                return &entry;
            }
        }
        return nullptr;
    }

    // The bytes of entry `name`, read from the archive on disk again.
    Bytes readFile(std::string_view name) const { return vexalkit::readFile(archive_, name); }

  private:
    std::string archive_;
};

// The directory of a WAD2 archive held in memory. It copies what it needs:
// the bytes may go away after read().
class WadDirectory : public detail::Directory<VEXLWADINFO_T, VEXLWADENTRY_T> {
  public:
    // Throws Error: NotWad for a wrong magic, WadCorrupted for a directory
    // that is empty or lies outside the bytes.
    static WadDirectory read(std::span<const uint8_t> bytes) {
        return detail::loadOwned<WadDirectory>(bytes);
    }

    // The first entry named `name`, compared case-insensitively for A-Z as
    // the game looks names up. Null when there is none.
    const VEXLWADENTRY_T* find(std::string_view name) const noexcept {
        for (const VEXLWADENTRY_T& entry : entries()) {
            if (equalFolded(entryName(entry), name)) {
                return &entry;
            }
        }
        return nullptr;
    }

    // The entry's stored bytes (`diskLen` of them at `filePos`) inside the
    // archive's `bytes`, as stored: compressed entries stay compressed.
    // Throws Error(WadCorrupted) when they lie outside `bytes`.
    static std::span<const uint8_t> entryBytes(std::span<const uint8_t> bytes,
                                               const VEXLWADENTRY_T& entry) {
        const uint64_t end = uint64_t{entry.filePos} + entry.diskLen;
        if (end > bytes.size()) {
            throw Error(static_cast<int32_t>(Status::WadCorrupted), entryName(entry));
        }
        return bytes.subspan(entry.filePos, entry.diskLen);
    }

  private:
    static bool equalFolded(std::string_view left, std::string_view right) noexcept {
        if (left.size() != right.size()) {
            return false;
        }
        for (std::size_t i = 0; i < left.size(); ++i) {
            if (foldAscii(left[i]) != foldAscii(right[i])) {
                return false;
            }
        }
        return true;
    }
    static char foldAscii(char value) noexcept {
        return value >= 'A' && value <= 'Z' ? static_cast<char>(value - 'A' + 'a') : value;
    }
};

} // namespace vexalkit
