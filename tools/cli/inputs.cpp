#include "inputs.hpp"

#include "archives.hpp"
#include "entry_names.hpp"

#include <CLI/CLI.hpp>

namespace vexl::cli {

std::string entryNameInPak(const std::string& pak, const std::string& name) {
    const std::vector<std::string> candidates = namesFromArgument(name);
    if (candidates.size() > 1) {
        const PakDirectory directory = readPak(pak);
        for (const std::string& candidate : candidates) {
            if (directory.find(candidate) != nullptr) {
                return candidate;
            }
        }
    }
    return name;
}

InputFile readInput(const std::string& name, const InputAddress& address) {
    InputFile input;
    if (address.wad.empty()) {
        const Source source{address.pak, name};
        input.shown = source.describe();
        const std::string chosen = address.pak.empty() ? name : entryNameInPak(address.pak, name);
        const Bytes bytes = loadBytes({address.pak, chosen});
        input.bytes.assign(bytes.begin(), bytes.end());
        return input;
    }
    const auto archive = openArchive(address.wad, address.pak);
    if (archive->kind != FileType::Wad2) {
        throw Failure(archive->shownName + ": --wad names a WAD2 archive, not a PAK archive");
    }
    input.shown = archive->shownName + ":" + name;
    // A name copied from ls --json stands for the bytes of its characters.
    const std::vector<std::string> candidates = namesFromArgument(name);
    const VEXLWADENTRY_T* entry = nullptr;
    for (size_t i = 0; i < candidates.size() && entry == nullptr; ++i) {
        entry = archive->wad.find(candidates[i]);
    }
    if (entry == nullptr) {
        throw Failure(escapeForTerminal(input.shown) + ": no such entry");
    }
    const auto bytes = vexalkit::withContext(
        input.shown, [&] { return WadDirectory::entryBytes(archive->wadBytes, *entry); });
    input.bytes.assign(bytes.begin(), bytes.end());
    input.wadEntry = *entry;
    return input;
}

void addAddressOptions(CLI::App& command, InputAddress& address) {
    command.add_option("--pak", address.pak, "read the files (and their palette) from this PAK")
        ->type_name("ARCHIVE");
    command
        .add_option("--wad", address.wad,
                    "the files are entries of this WAD2 archive (on disk, or inside --pak)")
        ->type_name("WAD");
}

} // namespace vexl::cli
