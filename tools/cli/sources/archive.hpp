// An archive named on the command line, PAK or WAD2, as one list of entries:
// what ls lists, extract writes, export converts and info describes. Which
// entries can be read, and which names can become files, is decided here.
#pragma once

#include "output/entry_names.hpp"
#include "sources/sources.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexl::cli {

namespace host {
class ReadableFile;
}

struct ArchiveEntry {
    std::string name; // a PAK's parts separated by "/"; a WAD2's as stored
    uint32_t position = 0;
    uint32_t length = 0;   // the bytes stored in the archive
    bool valid = false;    // what the archive says: its data lie inside it
    bool readable = false; // valid, or an empty PAK entry (an empty file)
    // Why the name cannot be a file of its own, whatever the output rules.
    std::optional<std::string> nameRefusal;
    const VEXLWADENTRY_T* wad = nullptr; // type, compression and unpacked length
};

class Archive {
  public:
    // `name` is a file on disk, or inside the PAK archive `pak` when that is
    // set. A PAK's directory is read without loading the whole archive; a
    // WAD2 is held in memory. Throws Failure for anything else.
    static Archive open(const std::string& name, const std::string& pak);

    Archive(Archive&&) noexcept;
    Archive& operator=(Archive&&) noexcept;
    ~Archive();

    FileType kind() const { return kind_; }
    // "PAK:NAME" or "NAME", for messages.
    const std::string& shownName() const { return shownName_; }
    uint32_t directoryOffset() const { return directoryOffset_; }
    uint32_t directoryLength() const { return directoryLength_; }
    uint32_t entryCount() const { return static_cast<uint32_t>(entries_.size()); }
    const std::vector<ArchiveEntry>& entries() const { return entries_; }

    // The entry the library finds under `name` (its cleaning and letter-case
    // rules), or null.
    const ArchiveEntry* find(const std::string& name) const;

    // The entry's stored bytes; throws Failure when they cannot be read (the
    // library's error for a WAD2 entry outside the archive). Safe from
    // several threads at once.
    std::vector<uint8_t> read(const ArchiveEntry& entry) const;

    // Why `entry` cannot be written as a file named after it under `rules`:
    // its name, then its data. Nothing when it can.
    static std::optional<std::string> refusal(const ArchiveEntry& entry, NameRules rules);

  private:
    Archive() = default;
    void listPak();
    void listWad();

    FileType kind_ = FileType::Unknown;
    std::string shownName_;
    uint32_t directoryOffset_ = 0;
    uint32_t directoryLength_ = 0;
    PakDirectory pak_;
    WadDirectory wad_;
    Bytes wadBytes_;
    std::unique_ptr<host::ReadableFile> file_; // the PAK on disk
    std::vector<ArchiveEntry> entries_;
};

} // namespace vexl::cli
