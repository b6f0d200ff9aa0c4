// pack: a PAK archive from a folder's files (or from files named one by
// one), the same bytes for the same files every time.
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "formats/pak_writer.hpp"
#include "host/paths.hpp"
#include "output/messages.hpp"
#include "output/writing.hpp"
#include "sources/sources.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

namespace vexl::cli {
namespace {

namespace fs = std::filesystem;

constexpr size_t kNameFieldBytes = PakWriter::kNameFieldBytes;
constexpr size_t kEntriesTheGameReads = 2048;

struct PackOptions {
    std::vector<std::string> inputs;
    std::string output;
    bool windowsNames = false;
};

// One file to pack: its entry name and where it is on disk.
struct PackedFile {
    std::string name;
    std::string path;
};

// Why `name` cannot be an entry that reads back as itself, if it cannot.
std::optional<std::string> unfitName(const std::string& name, NameRules rules) {
    if (std::optional<std::string> reason = unsafeReason(name, rules)) {
        return reason;
    }
    if (name.size() >= kNameFieldBytes) {
        return "name of " + std::to_string(name.size()) + " bytes; at most " +
               std::to_string(kNameFieldBytes - 1) + " fit";
    }
    if (name.find('\\') != std::string::npos) {
        return "\\ in a name separates folders inside the archive";
    }
    if (displayName(vexalkit::cleanPath(name)) != name) {
        return "the archive would read it back as " + displayName(vexalkit::cleanPath(name)) +
               " (blanks around a part are dropped)";
    }
    return std::nullopt;
}

// Every regular file under `folder`, named relative to it with "/".
void addFolder(const fs::path& folder, std::vector<PackedFile>& files) {
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::end(it); ++it) {
        const std::string relative = host::fromPath(fs::relative(it->path(), folder), true);
        if (it->is_symlink()) {
            warn(relative, "not packed, a symbolic link");
        } else if (it->is_regular_file()) {
            files.push_back({relative, host::fromPath(it->path())});
        } else if (!it->is_directory()) {
            warn(relative, "not packed, not a regular file");
        }
    }
}

std::vector<PackedFile> listInputs(const std::vector<std::string>& inputs, NameRules rules) {
    std::vector<PackedFile> files;
    for (const std::string& input : inputs) {
        std::error_code error;
        const fs::path path = host::toPath(input);
        const fs::file_status status = fs::status(path, error);
        if (fs::is_directory(status)) {
            addFolder(path, files);
        } else if (fs::is_regular_file(status)) {
            files.push_back({host::fromPath(path.lexically_normal(), true), input});
        } else {
            throw Failure(input + ": no such file or folder");
        }
    }
    // Byte order of the names: the same files always give the same archive.
    std::sort(files.begin(), files.end(),
              [](const PackedFile& a, const PackedFile& b) { return a.name < b.name; });
    std::map<std::string, std::string> packedNames; // by sameFileKey
    for (const PackedFile& file : files) {
        if (std::optional<std::string> reason = unfitName(file.name, rules)) {
            throw Failure(escapeForTerminal(file.name) + ": cannot be packed, " + *reason);
        }
        const auto [earlier, added] = packedNames.emplace(sameFileKey(file.name, rules), file.name);
        if (!added) {
            throw Failure(escapeForTerminal(file.name) +
                          (earlier->second == file.name
                               ? ": given twice"
                               : ": differs only in letter case from " +
                                     escapeForTerminal(earlier->second) +
                                     ", which Windows takes for the same file"));
        }
    }
    return files;
}

// The archive of the files, in the order given.
std::vector<uint8_t> buildPak(const std::vector<PackedFile>& files) {
    PakWriter writer;
    for (const PackedFile& file : files) {
        writer.add(file.name, loadBytes({"", file.path}), file.path);
    }
    return writer.finish();
}

void runPack(const PackOptions& options) {
    const NameRules rules = nameRules(options.windowsNames);
    std::vector<PackedFile> files = listInputs(options.inputs, rules);
    if (files.empty()) {
        throw Failure("nothing to pack: no files under " + options.inputs.front());
    }
    if (files.size() > kEntriesTheGameReads) {
        warn(options.output, std::to_string(files.size()) +
                                 " entries; the game reads only the "
                                 "first " +
                                 std::to_string(kEntriesTheGameReads));
    }
    const OutputPlace place = outputPlace(options.output, "out.pak");
    std::vector<std::string> inputs;
    for (const PackedFile& file : files) {
        inputs.push_back(file.path);
    }
    std::vector<OutputFile> archive(1);
    archive.front() = {place.name, buildPak(files)};
    const size_t archiveSize = archive.front().bytes.size();
    const std::vector<std::string> shown = writeFiles(place.folder, rules, inputs, archive);
    std::printf("packed %zu files into %s (%zu bytes)\n", files.size(), shown.front().c_str(),
                archiveSize);
}

void describePack(CLI::App& command, PackOptions& options) {
    command
        .add_option("INPUT", options.inputs,
                    "a folder (its files, named relative to it) or a file (named as given)")
        ->required();
    command.add_option("-o,--output", options.output, "the archive to write")
        ->type_name("OUT.pak")
        ->required();
    addWindowsNamesOption(command, options.windowsNames);
}

} // namespace

void addPackCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describePack, runPack);
}

} // namespace vexl::cli
