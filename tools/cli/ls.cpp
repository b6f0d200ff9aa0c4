// ls: the directory of a PAK or WAD2 archive.
#include "archives.hpp"
#include "commands.hpp"
#include "entry_names.hpp"
#include "json_print.hpp"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

using nlohmann::json;

struct LsOptions {
    std::string archive;
    std::string pak;
    bool json = false;
};

std::string typeText(uint8_t type) {
    char text[16];
    if (std::isprint(type) != 0) {
        std::snprintf(text, sizeof text, "%3u '%c'", type, type);
    } else {
        std::snprintf(text, sizeof text, "%3u    ", type);
    }
    return text;
}

json packJson(const OpenedArchive& archive) {
    const VEXLPACKINFO_T& info = archive.pack.record();
    json entries = json::array();
    for (const VEXLPACKENTRY_T& entry : archive.pack) {
        entries.push_back({{"name", jsonName(displayName(vexalkit::entryName(entry)))},
                           {"position", entry.filePos},
                           {"length", entry.fileLen},
                           {"valid", entry.valid != 0}});
    }
    return {{"archive", jsonName(archive.shownName)},
            {"format", "PAK"},
            {"directoryOffset", info.dirOffset},
            {"directoryLength", info.dirLength},
            {"entries", entries}};
}

json wadJson(const OpenedArchive& archive) {
    const VEXLWADINFO_T& info = archive.wad.record();
    json entries = json::array();
    for (const VEXLWADENTRY_T& entry : archive.wad) {
        entries.push_back({{"name", jsonName(vexalkit::entryName(entry))},
                           {"position", entry.filePos},
                           {"diskLength", entry.diskLen},
                           {"length", entry.fileLen},
                           {"type", entry.entryType},
                           {"compression", entry.compression},
                           {"valid", wadEntryInside(entry, archive.wadBytes.size())}});
    }
    return {{"archive", jsonName(archive.shownName)},
            {"format", "WAD2"},
            {"directoryOffset", info.dirOffset},
            {"directoryLength", info.dirLength},
            {"entries", entries}};
}

void printPack(const OpenedArchive& archive) {
    const VEXLPACKINFO_T& info = archive.pack.record();
    std::printf("%s: PAK archive, %u entries, directory at %u (%u bytes)\n",
                escapeForTerminal(archive.shownName).c_str(), info.entryCount, info.dirOffset,
                info.dirLength);
    std::printf("%10s %10s  %-5s  %s\n", "position", "length", "valid", "name");
    for (const VEXLPACKENTRY_T& entry : archive.pack) {
        std::printf("%10u %10u  %-5s  %s\n", entry.filePos, entry.fileLen,
                    entry.valid != 0 ? "yes" : "no",
                    escapeForTerminal(displayName(vexalkit::entryName(entry))).c_str());
    }
}

void printWad(const OpenedArchive& archive) {
    const VEXLWADINFO_T& info = archive.wad.record();
    std::printf("%s: WAD2 archive, %u entries, directory at %u (%u bytes)\n",
                escapeForTerminal(archive.shownName).c_str(), info.entryCount, info.dirOffset,
                info.dirLength);
    std::printf("%10s %10s %10s  %-7s  %-11s  %-5s  %s\n", "position", "stored", "length", "type",
                "compression", "valid", "name");
    for (const VEXLWADENTRY_T& entry : archive.wad) {
        std::printf("%10u %10u %10u  %-7s  %11u  %-5s  %s\n", entry.filePos, entry.diskLen,
                    entry.fileLen, typeText(entry.entryType).c_str(), entry.compression,
                    wadEntryInside(entry, archive.wadBytes.size()) ? "yes" : "no",
                    escapeForTerminal(vexalkit::entryName(entry)).c_str());
    }
}

void runLs(const LsOptions& options) {
    const auto archive = openArchive(options.archive, options.pak);
    if (options.json) {
        printJson(archive->kind == FileType::Pak ? packJson(*archive) : wadJson(*archive));
    } else if (archive->kind == FileType::Pak) {
        printPack(*archive);
    } else {
        printWad(*archive);
    }
}

} // namespace

void addLsCommand(CLI::App& app) {
    auto options = std::make_shared<LsOptions>();
    CLI::App* command = app.add_subcommand("ls", "list the directory of a PAK or WAD2 archive");
    command->add_option("ARCHIVE", options->archive, "the archive (a PAK is read as NAME.pak)")
        ->required();
    command->add_option("--pak", options->pak, "read a WAD2 ARCHIVE from inside this PAK")
        ->type_name("PAK");
    command->add_flag("--json", options->json, "print the directory as JSON");
    command->footer("Names are shown with control characters, \\ and bytes that are not UTF-8 "
                    "as \\xNN. In JSON every byte of a name is the character of the same "
                    "number (bytes 128-255 as \\u0080-\\u00ff): the exact bytes, which "
                    "extract accepts back as NAME.");
    command->callback([options] { runLs(*options); });
}

} // namespace vexl::cli
