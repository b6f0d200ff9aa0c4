// Default output names derived from input names.
#pragma once

#include <filesystem>
#include <string>

namespace vexl::cli {

// The last part of `name` (after "/" or "\") without its extension.
std::string baseName(const std::string& name);

// `path` with "_<index>" before its extension, the index zero-padded to the
// width of the largest index.
std::filesystem::path numbered(const std::filesystem::path& path, size_t index, size_t count);

} // namespace vexl::cli
