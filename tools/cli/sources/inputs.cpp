#include "sources/inputs.hpp"

#include "output/entry_names.hpp"
#include "sources/archive.hpp"

namespace vexl::cli {
namespace {

// The first of the byte names `name` may stand for that `finds` finds, or
// nothing.
template <typename Finds>
std::optional<std::string> nameByArgument(const std::string& name, Finds finds) {
    for (const std::string& candidate : namesFromArgument(name)) {
        if (finds(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace

Source sourceOf(const std::string& name, const std::string& pak) {
    if (pak.empty() || namesFromArgument(name).size() == 1) {
        return {pak, name};
    }
    const PakDirectory directory = readPak(pak);
    return {pak, nameByArgument(name, [&](const std::string& candidate) {
                     return directory.find(candidate) != nullptr;
                 }).value_or(name)};
}

InputFile readInput(const std::string& name, const InputAddress& address) {
    InputFile input;
    if (address.wad.empty()) {
        input.shown = Source{address.pak, name}.describe();
        const Bytes bytes = loadBytes(sourceOf(name, address.pak));
        input.bytes.assign(bytes.begin(), bytes.end());
        return input;
    }
    const Archive archive = Archive::open(address.wad, address.pak);
    if (archive.kind() != FileType::Wad2) {
        throw Failure(archive.shownName() + ": --wad names a WAD2 archive, not a PAK archive");
    }
    input.shown = archive.shownName() + ":" + name;
    const std::optional<std::string> found = nameByArgument(
        name, [&](const std::string& candidate) { return archive.find(candidate) != nullptr; });
    if (!found) {
        throw Failure(escapeForTerminal(input.shown) + ": no such entry");
    }
    const ArchiveEntry* entry = archive.find(*found);
    input.bytes = vexalkit::withContext(input.shown, [&] { return archive.read(*entry); });
    input.wadEntry = *entry->wad;
    return input;
}

} // namespace vexl::cli
