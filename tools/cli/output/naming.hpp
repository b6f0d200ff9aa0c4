// Output names derived from input names, and the files a command makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexl::cli {

// The last part of `name` (after "/" or "\") without its extension.
std::string baseName(const std::string& name);

// `name` ("/"-separated) with "_<index>" before the extension of its last
// part, the index zero-padded to the width of the largest index.
std::string numbered(const std::string& name, size_t index, size_t count);

// One file a command makes: its name ("/"-separated, relative to where the
// command writes) and its bytes.
struct OutputFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

} // namespace vexl::cli
