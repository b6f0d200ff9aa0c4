#include "archive/pak.hpp"

#include "archive/open_file.hpp"

#include "frame/blocks.hpp"
#include "frame/fbstring.hpp"
#include "frame/path.hpp"
#include "frame/reader.hpp"
#include "frame/status.hpp"
#include "platform/platform.hpp"

#include <cstring>
#include <memory>

namespace vexl {
namespace {

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};

// Only the text before the first zero byte of the name field is a name:
// writers leave junk in the padding, and cleaning it could change the name.
void fillEntryName(std::string_view field, char (&name)[64]) {
    char cleaned[pak::kNameFieldSize + 2];
    const size_t length = cleanPathInto(field, true, cleaned);
    std::memcpy(name, cleaned, length < sizeof(name) ? length : sizeof(name) - 1);
}

void fillEntries(const uint8_t* directory, uint32_t directoryLength, uint64_t archiveLength,
                 VEXLPACKENTRY_T* entries) {
    uint32_t cursor = 0;
    for (VEXLPACKENTRY_T* entry = entries; cursor < directoryLength; ++entry) {
        bool taken = false;
        const std::string_view name =
            vexlReadField(directory, directoryLength, cursor, pak::kNameFieldSize, taken);
        fillEntryName(name, entry->name);
        vexlReadLong(directory, directoryLength, cursor, entry->filePos);
        vexlReadLong(directory, directoryLength, cursor, entry->fileLen);
        const uint64_t end = static_cast<uint64_t>(entry->filePos) + entry->fileLen;
        entry->valid =
            entry->filePos >= pak::kHeaderSize && entry->fileLen != 0 && end <= archiveLength;
    }
}

int32_t readOpenArchive(int slot, uint64_t archiveLength, VEXLPACKINFO_T& info) {
    // Bytes past the end of a short file read as zero.
    uint8_t header[pak::kHeaderSize] = {};
    const auto headerBytes =
        static_cast<uint32_t>(archiveLength < pak::kHeaderSize ? archiveLength : pak::kHeaderSize);
    if (!platform::readAt(slot, 0, header, headerBytes)) {
        return status::kIoError;
    }
    if (std::memcmp(header, pak::kMagic, 4) != 0) {
        return status::kNotPak;
    }
    const uint8_t* headerData = header;
    const uint32_t headerSize = pak::kHeaderSize;
    uint32_t cursor = 4;
    uint32_t dirOffset = 0;
    uint32_t dirLength = 0;
    vexlReadLong(headerData, headerSize, cursor, dirOffset);
    vexlReadLong(headerData, headerSize, cursor, dirLength);
    if (dirLength == 0 || dirLength % pak::kEntrySize != 0 || dirOffset < pak::kHeaderSize ||
        static_cast<uint64_t>(dirOffset) + dirLength > archiveLength) {
        return status::kPakCorrupted;
    }
    const uint32_t entryCount = dirLength / pak::kEntrySize;
    std::unique_ptr<uint8_t, FreeDeleter> directory(allocBlock<uint8_t>(dirLength));
    auto* entries = allocBlock<VEXLPACKENTRY_T>(entryCount);
    if (directory == nullptr || entries == nullptr) {
        freeBlock(entries);
        return status::kIoError;
    }
    if (!platform::readAt(slot, dirOffset, directory.get(), dirLength)) {
        freeBlock(entries);
        return status::kIoError;
    }
    fillEntries(directory.get(), dirLength, archiveLength, entries);
    std::memcpy(info.magic, pak::kMagic, 5);
    info.dirOffset = dirOffset;
    info.dirLength = dirLength;
    info.entryCount = entryCount;
    info.entries = entries;
    return status::kOk;
}

} // namespace

void packInfoKill(VEXLPACKINFO_T& info) {
    freeBlock(info.entries);
    info.dirOffset = 0;
    info.dirLength = 0;
    info.entryCount = 0;
}

int32_t packInfoRead(FBSTRING& archiveName, VEXLPACKINFO_T& info) {
    packInfoKill(info);
    platform::HandleLease handle;
    if (!handle.taken()) {
        return status::kNoFileHandle;
    }
    forceTypeString(archiveName, ".pak");
    uint64_t archiveLength = 0;
    const int32_t opened = openNamedFile(handle, stringView(archiveName), archiveLength);
    if (opened != status::kOk) {
        return opened;
    }
    return readOpenArchive(handle.slot(), archiveLength, info);
}

} // namespace vexl
