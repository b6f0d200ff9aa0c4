// Default output names derived from input names.
#pragma once

#include <cstddef>
#include <string>

namespace vexl::cli {

// The last part of `name` (after "/" or "\") without its extension.
std::string baseName(const std::string& name);

// `name` ("/"-separated) with "_<index>" before the extension of its last
// part, the index zero-padded to the width of the largest index.
std::string numbered(const std::string& name, size_t index, size_t count);

// Where one command's output goes: a folder and a file name inside it.
struct OutputPlace {
    std::string folder;
    std::string name;
};

// The place `-o OUT` names: inside OUT when it is an existing folder or ends
// in a separator (under `defaultName`), else the file OUT; `defaultName` in
// the current folder when OUT is empty.
OutputPlace outputPlace(const std::string& option, const std::string& defaultName);

} // namespace vexl::cli
