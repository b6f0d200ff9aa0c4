// info: what a file is, and a summary of the record its loader fills.
#include "commands.hpp"
#include "json_print.hpp"
#include "library.hpp"
#include "sequences.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

using nlohmann::json;

constexpr uint32_t kPaletteBytes = 768;

struct InfoOptions {
    std::string file;
    std::string pak;
    bool json = false;
};

json pictureSummary(const Bytes& bytes, const std::string& what) {
    Picture picture;
    loadPicture(bytes, picture, what);
    return {{"width", picture->width}, {"height", picture->height}};
}

json paletteSummary(const Bytes& bytes, const std::string& what) {
    Palette palette;
    loadPalette(bytes, palette, what);
    return {{"colors", 256}};
}

json colorMapSummary(const Bytes& bytes, const std::string& what) {
    // A colormap is added to a palette record; any palette will do to count
    // its rows.
    const std::vector<uint8_t> neutral(kPaletteBytes, 0);
    const uint8_t* neutralBytes = neutral.data();
    Palette palette;
    vexlPaletteLoad(neutralBytes, kPaletteBytes, palette.get());
    loadColorMap(bytes, palette, what);
    return {{"rows", palette->colorMapRows}};
}

json spriteSummary(const Bytes& bytes, const std::string& what) {
    Sprite sprite;
    loadSprite(bytes, sprite, what);
    json slots = json::array();
    const uint32_t slotCount = sprite->frameCount + sprite->groupPictureCount;
    for (uint32_t i = 0; i < slotCount; ++i) {
        const VEXLPICTURE_T& picture = sprite->pictures[i];
        if (picture.pixels == nullptr) {
            continue;
        }
        slots.push_back({{"slot", i},
                         {"width", picture.width},
                         {"height", picture.height},
                         {"originX", sprite->originX[i]},
                         {"originY", sprite->originY[i]},
                         {"interval", sprite->intervals[i]}});
    }
    return {{"type", sprite->type},
            {"syncType", sprite->syncType},
            {"frameEntries", sprite->frameCount},
            {"groupPictures", sprite->groupPictureCount},
            {"slots", slotCount},
            {"pictures", slots}};
}

json modelSummary(const Bytes& bytes, const std::string& what) {
    Model model;
    loadModel(bytes, model, what);
    const VEXLMODEL_T& m = model.get();
    const uint32_t skinSlots = uint32_t{m.skinCount} + m.groupSkinCount;
    uint32_t emptySlots = 0;
    for (uint32_t i = 0; i < skinSlots; ++i) {
        emptySlots += m.skins[i].pixels == nullptr ? 1 : 0;
    }
    json frames = json::array();
    for (uint32_t k = 0; k < frameTotal(m); ++k) {
        frames.push_back({{"name", frameName(m, k)}, {"groupSize", m.frameGroupSizes[k]}});
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
            {"skinSlots", skinSlots},
            {"vertices", m.vertexCount},
            {"seamVertices", m.seamVertexCount},
            {"vertexSlots", vertexSlots(m)},
            {"triangles", m.triangleCount},
            {"frameEntries", m.frameCount},
            {"extraFrames", m.extraFrameCount},
            {"frames", frames},
            {"sequences", sequences},
            {"flags", m.flags},
            {"syncType", m.syncType}};
}

json archiveSummary(Kind kind, const Bytes& bytes, const Source& source) {
    if (kind == Kind::Wad) {
        WadInfo wad;
        readWad(bytes, wad, source.describe());
        return {{"entries", wad->entryCount}, {"directoryOffset", wad->dirOffset}};
    }
    if (!source.archive.empty()) {
        return json::object(); // a PAK inside a PAK: its directory is read from disk only
    }
    PackInfo pack;
    readPack(source.name, pack);
    return {{"entries", pack->entryCount}, {"directoryOffset", pack->dirOffset}};
}

json describe(const Source& source) {
    const Bytes bytes = loadBytes(source);
    const Kind kind = whatIs(bytes);
    const std::string what = source.describe();
    json summary = {{"file", source.name},
                    {"archive", source.archive.empty() ? json() : json(source.archive)},
                    {"kind", kindName(kind)},
                    {"size", bytes.size()}};
    switch (kind) {
    case Kind::Picture:
        summary["picture"] = pictureSummary(bytes, what);
        break;
    case Kind::Palette:
        summary["palette"] = paletteSummary(bytes, what);
        break;
    case Kind::ColorMap:
        summary["colormap"] = colorMapSummary(bytes, what);
        break;
    case Kind::Sprite:
        summary["sprite"] = spriteSummary(bytes, what);
        break;
    case Kind::Model:
        summary["model"] = modelSummary(bytes, what);
        break;
    case Kind::Pak:
    case Kind::Wad:
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

} // namespace

void addInfoCommand(CLI::App& app) {
    auto options = std::make_shared<InfoOptions>();
    CLI::App* command =
        app.add_subcommand("info", "tell what a file is and summarise what it holds");
    command->add_option("FILE", options->file, "the file, on disk or inside --pak")->required();
    command->add_option("--pak", options->pak, "read FILE from inside this PAK archive")
        ->type_name("ARCHIVE");
    command->add_flag("--json", options->json, "print the summary as JSON");
    command->callback([options] {
        const json summary = describe({options->pak, options->file});
        if (options->json) {
            printJson(summary);
        } else {
            printSummary(summary);
        }
    });
}

} // namespace vexl::cli
