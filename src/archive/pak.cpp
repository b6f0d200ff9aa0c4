#include "archive/pak.hpp"

#include "archive/open_file.hpp"

#include "frame/blocks.hpp"
#include "frame/cursor.hpp"
#include "frame/fbstring.hpp"
#include "frame/name_field.hpp"
#include "frame/path.hpp"
#include "frame/status.hpp"
#include "platform/platform.hpp"

#include <cstring>

namespace vexl {
namespace {

// The directory, read whole into memory, decoded entry by entry at the
// entries' fixed offsets. Only the text before the first zero byte of a
// name field is a name: writers leave junk in the padding, and cleaning it
// could change the name.
void fillEntries(SectionCursor directory, uint64_t archiveLength, VEXLPACKENTRY_T* entries) {
    for (VEXLPACKENTRY_T* entry = entries; directory.remaining() != 0; ++entry) {
        const uint8_t* const fields = directory.readSpan(pak::kEntrySize).data();
        cleanNameFieldInto(reinterpret_cast<const char*>(fields), pak::kNameFieldSize, entry->name,
                           sizeof(entry->name));
        entry->filePos = loadLong(fields + pak::kNameFieldSize);
        entry->fileLen = loadLong(fields + pak::kNameFieldSize + 4);
        const uint64_t end = uint64_t{entry->filePos} + entry->fileLen;
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
    if (std::memcmp(header, pak::kMagic, pak::kMagicSize) != 0) {
        return status::kNotPak;
    }
    ByteCursor fields(header, pak::kHeaderSize);
    fields.seek(pak::kMagicSize);
    const uint32_t dirOffset = fields.readLong();
    const uint32_t dirLength = fields.readLong();
    if (dirLength == 0 || dirLength % pak::kEntrySize != 0 || dirOffset < pak::kHeaderSize ||
        uint64_t{dirOffset} + dirLength > archiveLength) {
        return status::kPakCorrupted;
    }
    const uint32_t entryCount = dirLength / pak::kEntrySize;
    // The read below fills every byte of the directory or fails.
    const OwnedBlock<uint8_t> directory(allocBlockForOverwrite<uint8_t>(dirLength));
    OwnedBlock<VEXLPACKENTRY_T> entries(allocBlock<VEXLPACKENTRY_T>(entryCount));
    if (!directory || !entries) {
        return status::kPakNoMemory;
    }
    if (!platform::readAt(slot, dirOffset, directory.get(), dirLength)) {
        return status::kIoError;
    }
    fillEntries(SectionCursor(directory.get(), dirLength), archiveLength, entries.get());
    std::memcpy(info.magic, pak::kMagic, sizeof(info.magic));
    info.dirOffset = dirOffset;
    info.dirLength = dirLength;
    info.entryCount = entryCount;
    info.entries = entries.release();
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
