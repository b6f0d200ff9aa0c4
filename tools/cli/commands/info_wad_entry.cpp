#include "commands/info_wad_entry.hpp"

#include "formats/wad2.hpp"
#include "output/entry_names.hpp"

#include <cstdio>

namespace vexl::cli {
namespace {

using nlohmann::json;

// The sides of a picture or texture entry, or why they cannot be read.
json contentOf(const VEXLWADENTRY_T& entry, const InputFile& input) {
    try {
        if (entry.compression != 0) {
            return {{"note", "compressed; not read"}};
        }
        if (entry.entryType == wad_type::kPicture) {
            const auto picture = load<Picture>(input.bytes, input.shown);
            return {{"width", picture.width()}, {"height", picture.height()}};
        }
        if (entry.entryType == wad_type::kTexture && isBareTexture(input.bytes)) {
            return {{"width", kBareTextureSide}, {"height", kBareTextureSide}, {"bare", true}};
        }
        if (entry.entryType == wad_type::kTexture) {
            const MipTexture texture = readMipTexture(input.bytes, input.shown);
            return {{"width", texture.width},
                    {"height", texture.height},
                    {"textureName", jsonName(texture.name)},
                    {"transparentIndex", hasTransparentIndex(texture.name)}};
        }
    } catch (const std::exception& error) {
        return {{"error", error.what()}};
    }
    return json::object();
}

} // namespace

json describeWadEntry(const std::string& name, const InputAddress& address,
                      const InputFile& input) {
    const VEXLWADENTRY_T& entry = *input.wadEntry;
    const std::string archive = address.pak.empty() ? address.wad : address.pak + ":" + address.wad;
    return {{"file", jsonName(name)},
            {"archive", jsonName(archive)},
            {"kind", "WAD2 entry: " + wadTypeName(entry.entryType)},
            {"size", input.bytes.size()},
            {"wadEntry",
             {{"type", entry.entryType},
              {"compression", entry.compression},
              {"storedLength", entry.diskLen},
              {"length", entry.fileLen},
              {"content", contentOf(entry, input)}}}};
}

void printWadEntry(const json& summary) {
    const json& entry = summary["wadEntry"];
    std::printf("%s in %s: %s, %zu bytes\n",
                escapeForTerminal(summary["file"].get<std::string>()).c_str(),
                escapeForTerminal(summary["archive"].get<std::string>()).c_str(),
                summary["kind"].get<std::string>().c_str(), summary["size"].get<size_t>());
    std::printf("  type        %u, compression %u, %u bytes stored, %u unpacked\n",
                entry["type"].get<unsigned>(), entry["compression"].get<unsigned>(),
                entry["storedLength"].get<unsigned>(), entry["length"].get<unsigned>());
    const json& content = entry["content"];
    if (content.contains("width")) {
        std::printf("  size        %u x %u pixels%s%s\n", content["width"].get<unsigned>(),
                    content["height"].get<unsigned>(),
                    content.value("bare", false) ? ", bare pixels without mip levels" : "",
                    content.value("transparentIndex", false) ? ", index 255 transparent" : "");
    }
    if (content.contains("error")) {
        std::printf("  problem     %s\n", content["error"].get<std::string>().c_str());
    }
    if (content.contains("note")) {
        std::printf("  note        %s\n", content["note"].get<std::string>().c_str());
    }
}

} // namespace vexl::cli
