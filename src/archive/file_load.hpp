// Bringing a file's bytes into memory, from disk or from inside a PAK
// archive, and the one front that every file-name overload goes through.
#pragma once

#include "frame/blocks.hpp"
#include "vexalkit.hpp"

#include <cstdint>
#include <string_view>

namespace vexl {

int32_t packFileLoad(FBSTRING& archiveName, FBSTRING& fileName, uint8_t*& buffer,
                     uint32_t& bufferSize);

// Forces the loader's extension onto the file name, refuses an empty name
// (status 3) before touching any file, then loads the bytes.
int32_t fetchNamedFile(FBSTRING& archiveName, FBSTRING& fileName, std::string_view extension,
                       OwnedBlock<uint8_t>& bytes, uint32_t& size);

// The file-name front: fetch, hand the bytes to the buffer overload `parse`
// (called as parse(bytes, size)), free them, return its status unchanged.
template <class Parse>
int32_t loadByName(FBSTRING& archiveName, FBSTRING& fileName, std::string_view extension,
                   Parse&& parse) {
    OwnedBlock<uint8_t> bytes;
    uint32_t size = 0;
    const int32_t fetched = fetchNamedFile(archiveName, fileName, extension, bytes, size);
    if (fetched != 0) {
        return fetched;
    }
    const uint8_t* const data = bytes.get();
    return parse(data, size);
}

} // namespace vexl
