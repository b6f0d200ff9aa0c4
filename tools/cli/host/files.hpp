// The tool's file system calls, POSIX and Win32 behind one interface: files
// read at positions, and folders written below without following links.
// Errors are errno's numbers on every system (ENOENT, ENOTDIR, ...).
#pragma once

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace vexl::cli::host {

// A file opened for reading by name bytes; throws Failure naming it when
// it cannot be opened.
class ReadableFile {
  public:
    explicit ReadableFile(const std::string& name);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    uint64_t size() const;
    // Fills `into` from `position`; throws Failure unless every byte is
    // there. Safe from several threads at once.
    void readAt(uint64_t position, std::span<uint8_t> into) const;

  private:
    struct State;
    std::string name_;
    std::unique_ptr<State> state_;
};

// What a file system object is; the same file has the same identity.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

enum class EntryKind { Missing, File, Folder, Link, Other };

struct EntryStatus {
    EntryKind kind = EntryKind::Missing;
    FileIdentity identity;
};

// An open folder. Names inside it are single parts, looked at and opened
// without following a link; the folder stays where it is while open (on
// Windows it cannot be renamed or removed meanwhile). Copies share the one
// open folder.
class Folder {
  public:
    // The folder `name`, following links (the user named it); 0 or error.
    static int open(const std::string& name, Folder& folder);

    // The folder `part` inside this one, never through a link: ELOOP for a
    // link, ENOTDIR for something else, ENOENT when missing.
    int openChild(const std::string& part, Folder& child) const;
    int makeChild(const std::string& part) const;
    EntryStatus status(const std::string& part) const;
    // Creates the file `part`, which must not exist, and writes `bytes`.
    int writeNewFile(const std::string& part, std::span<const uint8_t> bytes) const;
    // Renames `from` to `to` in this folder; without `replace`, fails with
    // EEXIST when `to` exists (as the system matches names).
    int rename(const std::string& from, const std::string& to, bool replace) const;
    void removeFile(const std::string& part) const noexcept;
    // Removes the folder `path` ("/"-separated, below this one) if empty.
    void removeEmptyFolder(const std::string& path) const noexcept;
    bool isOpen() const { return state_ != nullptr; }
    void close() noexcept;

  private:
    struct State;
    std::shared_ptr<const State> state_;
};

// The status of `name`, following links.
EntryStatus statusOf(const std::string& name);
// Makes the folder `name` (its parent must exist); 0 or error.
int makeFolder(const std::string& name);
// Removes the folder `name` if it is empty.
void removeEmptyFolder(const std::string& name) noexcept;

} // namespace vexl::cli::host
