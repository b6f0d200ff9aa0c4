#include "archive/file_load.hpp"

#include "archive/open_file.hpp"
#include "archive/pak.hpp"
#include "frame/blocks.hpp"
#include "frame/fbstring.hpp"
#include "frame/path.hpp"
#include "frame/status.hpp"
#include "frame/text.hpp"
#include "platform/platform.hpp"

#include <cstring>

namespace vexl {
namespace {

const VEXLPACKENTRY_T* findEntry(const VEXLPACKINFO_T& directory, std::string_view name) {
    for (uint32_t i = 0; i < directory.entryCount; ++i) {
        const VEXLPACKENTRY_T& entry = directory.entries[i];
        if (entry.valid == 1 && trimText(fieldText(entry.name, sizeof(entry.name))) == name) {
            return &entry;
        }
    }
    return nullptr;
}

// Reads `size` bytes at `offset` of the named file into `block`.
int32_t readSpan(std::string_view name, uint64_t offset, uint8_t* block, uint32_t size) {
    platform::HandleLease handle;
    if (!handle.taken()) {
        return status::kNoFileHandle;
    }
    if (!platform::openForReading(handle.slot(), name)) {
        return status::kIoError;
    }
    return platform::readAt(handle.slot(), offset, block, size) ? status::kOk : status::kIoError;
}

int32_t loadFromArchive(FBSTRING& archiveName, std::string_view name, uint8_t*& buffer,
                        uint32_t& bufferSize) {
    VEXLPACKINFO_T directory{};
    const int32_t read = packInfoRead(archiveName, directory);
    if (read != status::kOk) {
        return read;
    }
    int32_t result = status::kFileNotFound;
    if (const VEXLPACKENTRY_T* entry = findEntry(directory, name)) {
        bufferSize = entry->fileLen;
        // The read fills every byte or the block is freed again.
        buffer = allocBlockForOverwrite<uint8_t>(entry->fileLen);
        // A block that cannot be had is reported as no entry at all, the size
        // asked for left in `bufferSize`.
        if (buffer == nullptr) {
            result = status::kEntryNoMemory;
        } else {
            result = readSpan(stringView(archiveName), entry->filePos, buffer, entry->fileLen);
            if (result != status::kOk) {
                freeBlock(buffer);
                bufferSize = 0;
            }
        }
    }
    packInfoKill(directory);
    return result;
}

int32_t loadFromDisk(std::string_view name, uint8_t*& buffer, uint32_t& bufferSize) {
    platform::HandleLease handle;
    if (!handle.taken()) {
        return status::kNoFileHandle;
    }
    uint64_t length = 0;
    const int32_t opened = openNamedFile(handle, name, length);
    if (opened != status::kOk) {
        return opened;
    }
    // Files of 4 GiB or more are beyond what a 32-bit size can describe.
    if (length > UINT32_MAX) {
        return status::kIoError;
    }
    // The read fills every byte or the block is freed again.
    uint8_t* block = allocBlockForOverwrite<uint8_t>(length);
    if (block == nullptr) {
        return status::kFileNoMemory;
    }
    if (!platform::readAt(handle.slot(), 0, block, static_cast<uint32_t>(length))) {
        freeBlock(block);
        return status::kIoError;
    }
    buffer = block;
    bufferSize = static_cast<uint32_t>(length);
    return status::kOk;
}

} // namespace

int32_t packFileLoad(FBSTRING& archiveName, FBSTRING& fileName, uint8_t*& buffer,
                     uint32_t& bufferSize) {
    bufferSize = 0;
    freeBlock(buffer);
    cleanPathString(fileName, true);
    forceTypeString(archiveName, ".pak");
    if (stringLength(archiveName) != 0) {
        return loadFromArchive(archiveName, stringView(fileName), buffer, bufferSize);
    }
    return loadFromDisk(stringView(fileName), buffer, bufferSize);
}

int32_t fetchNamedFile(FBSTRING& archiveName, FBSTRING& fileName, std::string_view extension,
                       OwnedBlock<uint8_t>& bytes, uint32_t& size) {
    forceTypeString(fileName, extension);
    if (stringLength(fileName) == 0) {
        return status::kNoFileName;
    }
    return packFileLoad(archiveName, fileName, bytes.receive(), size);
}

} // namespace vexl
