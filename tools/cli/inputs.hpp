// A file named on the command line: on disk, inside a PAK (--pak ARCHIVE),
// or an entry of a WAD2 archive (--wad WAD, itself on disk or inside the
// --pak archive).
#pragma once

#include "library.hpp"

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

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

// The entry of the PAK `pak` that `name` stands for: itself, or when the
// PAK holds no such entry and `name` was copied from ls --json, the entry
// named by the bytes of its characters.
std::string entryNameInPak(const std::string& pak, const std::string& name);

// Reads `name` from where `address` says; throws Failure naming it.
InputFile readInput(const std::string& name, const InputAddress& address);

// Adds --pak and --wad to a subcommand.
void addAddressOptions(CLI::App& command, InputAddress& address);

} // namespace vexl::cli
