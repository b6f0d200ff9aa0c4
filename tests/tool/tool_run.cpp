#include "tool_run.hpp"

#include "formats/png_codec.hpp"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vexl::testing {
namespace {

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t u32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return uint32_t{bytes.at(offset)} | uint32_t{bytes.at(offset + 1)} << 8 |
           uint32_t{bytes.at(offset + 2)} << 16 | uint32_t{bytes.at(offset + 3)} << 24;
}

} // namespace

ToolRun runTool(const std::string& arguments, const std::filesystem::path& directory) {
    const std::filesystem::path out = directory / ".tool-out";
    const std::filesystem::path err = directory / ".tool-err";
    const std::string command = "cd '" + directory.string() + "' && '" VEXL_TOOL "' " + arguments +
                                " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readText(out);
    run.err = readText(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

const std::filesystem::path& sampleArchive() {
    static TempDir directory;
    static const std::filesystem::path archive = [] {
        const std::filesystem::path file = directory.path() / "sample.pak";
        const std::string command = "'" VEXL_SAMPLE "' '" + file.string() + "' >/dev/null";
        if (std::system(command.c_str()) != 0) {
            throw std::runtime_error("cannot generate the sample archive");
        }
        return file;
    }();
    return archive;
}

DecodedPng decodePng(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readFile(file);
    const cli::DecodedPng image = cli::decodePng(bytes, file.string());
    // The colour type follows the signature (8 bytes), the header chunk's
    // length and type (8) and the width and height (8), and the depth.
    constexpr size_t kColorTypeAt = 25;
    constexpr uint8_t kAlphaFlag = 4;
    DecodedPng decoded;
    decoded.width = image.width;
    decoded.height = image.height;
    decoded.hasAlpha = (bytes.at(kColorTypeAt) & kAlphaFlag) != 0;
    decoded.colors = image.colors;
    return decoded;
}

std::vector<uint8_t> readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

Glb readGlb(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readFile(file);
    if (bytes.size() < 20 || u32At(bytes, 0) != 0x46546C67 || u32At(bytes, 8) != bytes.size()) {
        throw std::runtime_error(file.string() + " is not a binary glTF file");
    }
    const uint32_t jsonLength = u32At(bytes, 12);
    Glb glb;
    glb.document = nlohmann::json::parse(bytes.begin() + 20, bytes.begin() + 20 + jsonLength);
    const size_t binaryAt = 20 + jsonLength;
    const uint32_t binaryLength = u32At(bytes, binaryAt);
    glb.binary.assign(bytes.begin() + static_cast<std::ptrdiff_t>(binaryAt + 8),
                      bytes.begin() + static_cast<std::ptrdiff_t>(binaryAt + 8 + binaryLength));
    return glb;
}

std::vector<float> Glb::floats(int accessor) const {
    const nlohmann::json& a = document["accessors"][accessor];
    const nlohmann::json& view = document["bufferViews"][a["bufferView"].get<int>()];
    const size_t components = a["type"] == "VEC3" ? 3 : (a["type"] == "VEC2" ? 2 : 1);
    std::vector<float> values(a["count"].get<size_t>() * components);
    std::memcpy(values.data(), binary.data() + view["byteOffset"].get<size_t>(),
                values.size() * sizeof(float));
    return values;
}

std::vector<uint32_t> Glb::indices(int accessor) const {
    const nlohmann::json& a = document["accessors"][accessor];
    const nlohmann::json& view = document["bufferViews"][a["bufferView"].get<int>()];
    const uint8_t* start = binary.data() + view["byteOffset"].get<size_t>();
    std::vector<uint32_t> values(a["count"].get<size_t>());
    for (size_t i = 0; i < values.size(); ++i) {
        if (a["componentType"] == 5123) {
            uint16_t value = 0;
            std::memcpy(&value, start + 2 * i, 2);
            values[i] = value;
        } else {
            std::memcpy(&values[i], start + 4 * i, 4);
        }
    }
    return values;
}

std::optional<std::string> validatorReport(const std::filesystem::path& glb,
                                           const std::filesystem::path& folder) {
    const std::filesystem::path directory = VEXL_VALIDATOR_DIR;
    if (!std::filesystem::exists(directory / "node_modules" / "gltf-validator" / "package.json")) {
        return std::nullopt;
    }
    const std::filesystem::path report = folder / "report.txt";
    const std::string command = "node '" + (directory / "validate_gltf.js").string() + "' '" +
                                glb.string() + "' > '" + report.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    return (status == 0 ? "" : "validator exit status " + std::to_string(status) + "\n") +
           readText(report);
}

std::vector<uint8_t> text(const std::string& value) {
    return std::vector<uint8_t>(value.begin(), value.end());
}

namespace {

std::vector<std::string> pathsUnder(const std::filesystem::path& directory, bool filesOnly) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
        if (!filesOnly || entry.is_regular_file()) {
            found.push_back(std::filesystem::relative(entry.path(), directory).generic_string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

std::vector<std::string> filesUnder(const std::filesystem::path& directory) {
    return pathsUnder(directory, true);
}

std::vector<std::string> everythingUnder(const std::filesystem::path& directory) {
    return pathsUnder(directory, false);
}

} // namespace vexl::testing
