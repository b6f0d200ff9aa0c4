#include "sources/archive.hpp"

#include "formats/wad2.hpp"
#include "host/files.hpp"

#include <algorithm>
#include <cctype>

namespace vexl::cli {
namespace {

bool hasPakExtension(const std::string& name) {
    constexpr std::string_view kExtension = ".pak";
    if (name.size() < kExtension.size()) {
        return false;
    }
    return std::equal(kExtension.begin(), kExtension.end(), name.end() - kExtension.size(),
                      [](char expected, char actual) {
                          return expected == std::tolower(static_cast<unsigned char>(actual));
                      });
}

} // namespace

Archive::Archive(Archive&&) noexcept = default;
Archive& Archive::operator=(Archive&&) noexcept = default;
Archive::~Archive() = default;

Archive Archive::open(const std::string& name, const std::string& pak) {
    Archive archive;
    archive.shownName_ = Source{pak, name}.describe();
    refuseFolder(pak.empty() ? name : pak);
    if (pak.empty() && hasPakExtension(name)) {
        archive.pak_ = readPak(name);
        archive.file_ = std::make_unique<host::ReadableFile>(name);
        archive.kind_ = FileType::Pak;
        archive.listPak();
        return archive;
    }
    Bytes bytes = loadBytes({pak, name});
    const FileType kind = vexalkit::whatIs(bytes);
    if (kind == FileType::Wad2) {
        archive.wad_ =
            vexalkit::withContext(archive.shownName_, [&] { return WadDirectory::read(bytes); });
        archive.wadBytes_ = std::move(bytes);
        archive.kind_ = FileType::Wad2;
        archive.listWad();
        return archive;
    }
    if (kind == FileType::Pak && !pak.empty()) {
        throw Failure(archive.shownName_ +
                      ": a PAK archive inside a PAK archive; extract it first");
    }
    if (kind == FileType::Pak) {
        throw Failure(name + ": PAK archives are read under a name ending in .pak");
    }
    throw Failure(archive.shownName_ + ": not a PAK or WAD2 archive (" +
                  std::string(vexalkit::typeDescription(kind)) + ")");
}

void Archive::listPak() {
    directoryOffset_ = pak_.record().dirOffset;
    directoryLength_ = pak_.record().dirLength;
    for (const VEXLPACKENTRY_T& entry : pak_) {
        ArchiveEntry listed;
        listed.name = displayName(vexalkit::entryName(entry));
        listed.position = entry.filePos;
        listed.length = entry.fileLen;
        listed.valid = entry.valid != 0;
        // The library cannot load an empty entry, but it is an empty file.
        listed.readable = listed.valid || entry.fileLen == 0;
        entries_.push_back(std::move(listed));
    }
}

void Archive::listWad() {
    directoryOffset_ = wad_.record().dirOffset;
    directoryLength_ = wad_.record().dirLength;
    for (const VEXLWADENTRY_T& entry : wad_) {
        ArchiveEntry listed;
        listed.name = vexalkit::entryName(entry);
        listed.position = entry.filePos;
        listed.length = entry.diskLen;
        listed.valid = wadEntryInside(entry, wadBytes_.size());
        listed.readable = listed.valid;
        listed.nameRefusal = wadNameRefusal(listed.name);
        listed.wad = &entry;
        entries_.push_back(std::move(listed));
    }
}

const ArchiveEntry* Archive::find(const std::string& name) const {
    if (kind_ == FileType::Pak) {
        const VEXLPACKENTRY_T* found = pak_.find(name);
        return found == nullptr ? nullptr : &entries_[static_cast<size_t>(found - pak_.begin())];
    }
    const VEXLWADENTRY_T* found = wad_.find(name);
    return found == nullptr ? nullptr : &entries_[static_cast<size_t>(found - wad_.begin())];
}

std::vector<uint8_t> Archive::read(const ArchiveEntry& entry) const {
    if (entry.wad != nullptr) {
        const std::span<const uint8_t> bytes = WadDirectory::entryBytes(wadBytes_, *entry.wad);
        return {bytes.begin(), bytes.end()};
    }
    if (!entry.readable) {
        throw Failure(escapeForTerminal(entry.name) + ": its data lie outside the archive");
    }
    std::vector<uint8_t> bytes(entry.length);
    file_->readAt(entry.position, bytes);
    return bytes;
}

std::optional<std::string> Archive::refusal(const ArchiveEntry& entry, NameRules rules) {
    if (entry.nameRefusal) {
        return entry.nameRefusal;
    }
    if (std::optional<std::string> reason = unsafeReason(entry.name, rules)) {
        return reason;
    }
    if (!entry.readable) {
        return "its data lie outside the archive";
    }
    return std::nullopt;
}

} // namespace vexl::cli
