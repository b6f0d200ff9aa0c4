// info: what a file is, and a summary of the record its loader fills.
#include "commands/commands.hpp"
#include "commands/info_wad_entry.hpp"
#include "commands/options.hpp"
#include "formats/gltf/sequences.hpp"
#include "output/json_print.hpp"
#include "sources/inputs.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

using nlohmann::json;

struct InfoOptions {
    std::string file;
    InputAddress address;
    bool json = false;
};

json pictureSummary(const Bytes& bytes, const std::string& what) {
    const auto picture = load<Picture>(bytes, what);
    return {{"width", picture.width()}, {"height", picture.height()}};
}

json paletteSummary(const Bytes& bytes, const std::string& what) {
    return {{"colors", load<Palette>(bytes, what).colors().size()}};
}

json colorMapSummary(const Bytes& bytes, const std::string& what) {
    return {{"rows", vexalkit::withContext(what, [&] { return Palette::colorMapRowsOf(bytes); })}};
}

json spriteSummary(const Bytes& bytes, const std::string& what) {
    const auto sprite = load<Sprite>(bytes, what);
    json slots = json::array();
    for (size_t i = 0; i < sprite.slotCount(); ++i) {
        const vexalkit::SpriteSlot slot = sprite.slot(i);
        if (slot.empty) {
            continue;
        }
        slots.push_back({{"slot", i},
                         {"width", slot.picture.width()},
                         {"height", slot.picture.height()},
                         {"originX", slot.originX},
                         {"originY", slot.originY},
                         {"interval", slot.interval}});
    }
    const VEXLSPRITE_T& s = sprite.record();
    return {{"type", sprite.type()},        {"syncType", sprite.syncType()},
            {"frameEntries", s.frameCount}, {"groupPictures", s.groupPictureCount},
            {"slots", sprite.slotCount()},  {"pictures", slots}};
}

json modelSummary(const Bytes& bytes, const std::string& what) {
    const auto model = load<Model>(bytes, what);
    const VEXLMODEL_T& m = model.record();
    uint32_t emptySlots = 0;
    for (uint32_t i = 0; i < model.skinSlots(); ++i) {
        emptySlots += model.skin(i).empty() ? 1 : 0;
    }
    json frames = json::array();
    for (uint32_t k = 0; k < model.frameCount(); ++k) {
        frames.push_back({{"name", model.frameName(k)}, {"groupSize", model.frameGroupSizes()[k]}});
    }
    json sequences = json::array();
    for (const Sequence& sequence : frameSequences(m)) {
        sequences.push_back({{"name", sequence.name},
                             {"first", sequence.first},
                             {"count", sequence.count},
                             {"group", sequence.group}});
    }
    return {{"skinWidth", m.skins[0].width},
            {"skinHeight", m.skins[0].height},
            {"skinEntries", m.skinCount},
            {"skinGroups", emptySlots},
            {"groupSkins", m.groupSkinCount},
            {"skinSlots", model.skinSlots()},
            {"vertices", m.vertexCount},
            {"seamVertices", m.seamVertexCount},
            {"vertexSlots", model.vertexSlots()},
            {"triangles", m.triangleCount},
            {"frameEntries", m.frameCount},
            {"extraFrames", m.extraFrameCount},
            {"frames", frames},
            {"sequences", sequences},
            {"flags", m.flags},
            {"syncType", m.syncType}};
}

json archiveSummary(FileType kind, const Bytes& bytes, const Source& source) {
    if (kind == FileType::Wad2) {
        const auto wad =
            vexalkit::withContext(source.describe(), [&] { return WadDirectory::read(bytes); });
        return {{"entries", wad.size()}, {"directoryOffset", wad.record().dirOffset}};
    }
    if (!source.archive.empty()) {
        return json::object(); // a PAK inside a PAK: its directory is read from disk only
    }
    const auto pack = readPak(source.name);
    return {{"entries", pack.size()}, {"directoryOffset", pack.record().dirOffset}};
}

json describe(const Source& source) {
    const Bytes bytes = loadBytes(source);
    const FileType kind = vexalkit::whatIs(bytes);
    const std::string what = source.describe();
    json summary = {{"file", source.name},
                    {"archive", source.archive.empty() ? json() : json(source.archive)},
                    {"kind", vexalkit::typeDescription(kind)},
                    {"size", bytes.size()}};
    switch (kind) {
    case FileType::Picture:
        summary["picture"] = pictureSummary(bytes, what);
        break;
    case FileType::Palette:
        summary["palette"] = paletteSummary(bytes, what);
        break;
    case FileType::ColorMap:
        summary["colormap"] = colorMapSummary(bytes, what);
        break;
    case FileType::Sprite:
        summary["sprite"] = spriteSummary(bytes, what);
        break;
    case FileType::Model:
        summary["model"] = modelSummary(bytes, what);
        break;
    case FileType::Pak:
    case FileType::Wad2:
        summary["directory"] = archiveSummary(kind, bytes, source);
        break;
    default:
        break;
    }
    return summary;
}

void printModel(const json& m) {
    const unsigned groups = m["skinGroups"].get<unsigned>();
    const unsigned entries = m["skinEntries"].get<unsigned>();
    std::printf("  skins       %u x %u pixels: %u single, %u in %u group%s (%u slots)\n",
                m["skinWidth"].get<unsigned>(), m["skinHeight"].get<unsigned>(), entries - groups,
                m["groupSkins"].get<unsigned>(), groups, groups == 1 ? "" : "s",
                m["skinSlots"].get<unsigned>());
    std::printf("  vertices    %u, %u on the seam (%u slots with the back-side copies)\n",
                m["vertices"].get<unsigned>(), m["seamVertices"].get<unsigned>(),
                m["vertexSlots"].get<unsigned>());
    std::printf("  triangles   %u\n", m["triangles"].get<unsigned>());
    std::printf("  frames      %zu: %u entries, %u more from groups\n", m["frames"].size(),
                m["frameEntries"].get<unsigned>(), m["extraFrames"].get<unsigned>());
    std::printf("  flags       %d, sync type %d\n", m["flags"].get<int>(),
                m["syncType"].get<int>());
    std::printf("  animations\n");
    for (const json& sequence : m["sequences"]) {
        const unsigned first = sequence["first"].get<unsigned>();
        const unsigned count = sequence["count"].get<unsigned>();
        std::printf("    %-14s frames %u-%u%s\n", sequence["name"].get<std::string>().c_str(),
                    first, first + count - 1, sequence["group"].get<bool>() ? " (group)" : "");
    }
    std::printf("  frame list\n");
    unsigned index = 0;
    for (const json& frame : m["frames"]) {
        const unsigned group = frame["groupSize"].get<unsigned>();
        const std::string name = frame["name"].get<std::string>();
        if (group != 0) {
            std::printf("    %4u  %-16s  group of %u\n", index++, name.c_str(), group);
        } else {
            std::printf("    %4u  %s\n", index++, name.c_str());
        }
    }
}

void printSprite(const json& s) {
    std::printf("  type        %u, sync type %u\n", s["type"].get<unsigned>(),
                s["syncType"].get<unsigned>());
    std::printf("  frames      %u entries, %u pictures in groups, %u slots\n",
                s["frameEntries"].get<unsigned>(), s["groupPictures"].get<unsigned>(),
                s["slots"].get<unsigned>());
    for (const json& picture : s["pictures"]) {
        std::printf("    slot %-4u %3u x %-3u  origin %d, %d  interval %g\n",
                    picture["slot"].get<unsigned>(), picture["width"].get<unsigned>(),
                    picture["height"].get<unsigned>(), picture["originX"].get<int>(),
                    picture["originY"].get<int>(), picture["interval"].get<double>());
    }
}

void printSummary(const json& summary) {
    const std::string archive =
        summary["archive"].is_null() ? "" : " in " + summary["archive"].get<std::string>();
    std::printf("%s%s: %s, %u bytes\n", summary["file"].get<std::string>().c_str(), archive.c_str(),
                summary["kind"].get<std::string>().c_str(), summary["size"].get<unsigned>());
    if (summary.contains("picture")) {
        std::printf("  size        %u x %u pixels\n", summary["picture"]["width"].get<unsigned>(),
                    summary["picture"]["height"].get<unsigned>());
    } else if (summary.contains("palette")) {
        std::printf("  colours     256\n");
    } else if (summary.contains("colormap")) {
        std::printf("  rows        %u\n", summary["colormap"]["rows"].get<unsigned>());
    } else if (summary.contains("sprite")) {
        printSprite(summary["sprite"]);
    } else if (summary.contains("model")) {
        printModel(summary["model"]);
    } else if (summary.contains("directory") && summary["directory"].contains("entries")) {
        std::printf("  entries     %u, directory at %u\n",
                    summary["directory"]["entries"].get<unsigned>(),
                    summary["directory"]["directoryOffset"].get<unsigned>());
    }
}

void runInfo(const InfoOptions& options) {
    if (!options.address.wad.empty()) {
        const InputFile input = readInput(options.file, options.address);
        const json summary = describeWadEntry(options.file, options.address, input);
        options.json ? printJson(summary) : printWadEntry(summary);
        return;
    }
    const json summary = describe(sourceOf(options.file, options.address.pak));
    if (options.json) {
        printJson(summary);
    } else {
        printSummary(summary);
    }
}

void describeInfo(CLI::App& command, InfoOptions& options) {
    command.add_option("FILE", options.file, "the file, on disk or inside --pak")->required();
    addAddressOptions(command, options.address);
    command.add_flag("--json", options.json, "print the summary as JSON");
}

} // namespace

void addInfoCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describeInfo, runInfo);
}

} // namespace vexl::cli
