// Running the built tool and reading what it wrote, for the tool's tests.
#pragma once

#include "support/temp_dir.hpp"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexl::testing {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the tool with `arguments` (already quoted as a shell needs) from
// inside `directory`.
ToolRun runTool(const std::string& arguments, const std::filesystem::path& directory);

// The sample archive, generated once per test run.
const std::filesystem::path& sampleArchive();

// A PNG file as 0xAARRGGBB values (alpha 255 for an RGB file).
struct DecodedPng {
    uint32_t width = 0;
    uint32_t height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> colors;
};
DecodedPng decodePng(const std::filesystem::path& file);

// A binary glTF file: its JSON document and its binary chunk.
struct Glb {
    nlohmann::json document;
    std::vector<uint8_t> binary;

    std::vector<float> floats(int accessor) const;
    std::vector<uint32_t> indices(int accessor) const;
};
Glb readGlb(const std::filesystem::path& file);

std::vector<uint8_t> readFile(const std::filesystem::path& file);

// The bytes of a text, as file contents for fixtures.
std::vector<uint8_t> text(const std::string& value);

// Paths below `directory`, relative, with "/" separators, sorted: the
// regular files only, or every entry (folders and links too).
std::vector<std::string> filesUnder(const std::filesystem::path& directory);
std::vector<std::string> everythingUnder(const std::filesystem::path& directory);

// The directory holding the glTF validator, or empty when it is not installed.
std::filesystem::path validatorDirectory();

} // namespace vexl::testing
