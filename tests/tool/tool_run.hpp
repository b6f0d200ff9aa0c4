// Running the built tool and reading what it wrote, for the tool's tests.
#pragma once

#include "support/temp_dir.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
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

// The glTF validator's report on `glb` (written into `folder`), led by the
// validator's exit status when it is not 0; nothing when the validator is
// not installed.
std::optional<std::string> validatorReport(const std::filesystem::path& glb,
                                           const std::filesystem::path& folder);

// A fresh work folder to run the tool in.
class ToolTest : public ::testing::Test {
  protected:
    ToolRun run(const std::string& arguments) { return runTool(arguments, work_.path()); }
    // The sample archive's path, quoted for the shell.
    static std::string pak() { return "'" + sampleArchive().string() + "'"; }

    TempDir work_;
};

} // namespace vexl::testing
