// A file named on the command line: on disk, inside a PAK (--pak ARCHIVE),
// or an entry of a WAD2 archive (--wad WAD, itself on disk or inside the
// --pak archive).
#pragma once

#include "sources/sources.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vexl::cli {

struct InputAddress {
    std::string pak;
    std::string wad;
};

struct InputFile {
    std::string shown;                      // "ARCHIVE:WAD:NAME" for messages
    std::vector<uint8_t> bytes;             // the file's (or entry's stored) bytes
    std::optional<VEXLWADENTRY_T> wadEntry; // set for an entry of a WAD2
};

// Where `name` is read from: the disk, or the entry of the PAK `pak` it
// stands for: itself, or when the PAK holds no such entry and `name` was
// copied from ls --json, the entry named by the bytes of its characters.
Source sourceOf(const std::string& name, const std::string& pak);

// Reads `name` from where `address` says; throws Failure naming it.
InputFile readInput(const std::string& name, const InputAddress& address);

} // namespace vexl::cli
