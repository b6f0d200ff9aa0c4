// ls: the directory of a PAK or WAD2 archive.
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "output/entry_names.hpp"
#include "output/json_print.hpp"
#include "sources/archive.hpp"

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

json entryJson(const ArchiveEntry& entry) {
    if (entry.wad == nullptr) {
        return {{"name", jsonName(entry.name)},
                {"position", entry.position},
                {"length", entry.length},
                {"valid", entry.valid}};
    }
    return {{"name", jsonName(entry.name)}, {"position", entry.position},
            {"diskLength", entry.length},   {"length", entry.wad->fileLen},
            {"type", entry.wad->entryType}, {"compression", entry.wad->compression},
            {"valid", entry.valid}};
}

json archiveJson(const Archive& archive) {
    json entries = json::array();
    for (const ArchiveEntry& entry : archive.entries()) {
        entries.push_back(entryJson(entry));
    }
    return {{"archive", jsonName(archive.shownName())},
            {"format", archive.kind() == FileType::Pak ? "PAK" : "WAD2"},
            {"directoryOffset", archive.directoryOffset()},
            {"directoryLength", archive.directoryLength()},
            {"entries", entries}};
}

void printEntry(const ArchiveEntry& entry) {
    const char* valid = entry.valid ? "yes" : "no";
    const std::string name = escapeForTerminal(entry.name);
    if (entry.wad == nullptr) {
        std::printf("%10u %10u  %-5s  %s\n", entry.position, entry.length, valid, name.c_str());
        return;
    }
    std::printf("%10u %10u %10u  %-7s  %11u  %-5s  %s\n", entry.position, entry.length,
                entry.wad->fileLen, typeText(entry.wad->entryType).c_str(), entry.wad->compression,
                valid, name.c_str());
}

void printArchive(const Archive& archive) {
    const bool pak = archive.kind() == FileType::Pak;
    std::printf("%s: %s archive, %u entries, directory at %u (%u bytes)\n",
                escapeForTerminal(archive.shownName()).c_str(), pak ? "PAK" : "WAD2",
                archive.entryCount(), archive.directoryOffset(), archive.directoryLength());
    if (pak) {
        std::printf("%10s %10s  %-5s  %s\n", "position", "length", "valid", "name");
    } else {
        std::printf("%10s %10s %10s  %-7s  %-11s  %-5s  %s\n", "position", "stored", "length",
                    "type", "compression", "valid", "name");
    }
    for (const ArchiveEntry& entry : archive.entries()) {
        printEntry(entry);
    }
}

void runLs(const LsOptions& options) {
    const Archive archive = Archive::open(options.archive, options.pak);
    if (options.json) {
        printJson(archiveJson(archive));
    } else {
        printArchive(archive);
    }
}

void describeLs(CLI::App& command, LsOptions& options) {
    command.add_option("ARCHIVE", options.archive, "the archive (a PAK is read as NAME.pak)")
        ->required();
    command.add_option("--pak", options.pak, "read a WAD2 ARCHIVE from inside this PAK")
        ->type_name("PAK");
    command.add_flag("--json", options.json, "print the directory as JSON");
}

} // namespace

void addLsCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describeLs, runLs);
}

} // namespace vexl::cli
