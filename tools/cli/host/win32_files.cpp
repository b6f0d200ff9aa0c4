// Files and folders on Windows, through the wide interface: names reach the
// system as UTF-16 in the "\\?\" form, so long paths work and nothing is
// rewritten on the way (the name rules have refused what Windows would
// read otherwise). A folder is held open without delete sharing, so it
// cannot be renamed or replaced while files are written below it.
#if defined(_WIN32)

#include "files.hpp"
#include "paths.hpp"
#include "win32.hpp"

#include "failure.hpp"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace vexl::cli::host {
namespace {

constexpr DWORD kChunkBytes = 1U << 30;

// Closes a handle on every path out.
class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    void reset() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_;
};

int lastError() {
    return errnoFrom(::GetLastError());
}

// Symbolic links and junctions; other reparse points (cloud placeholders,
// deduplicated files) are the files they stand for.
bool isLink(HANDLE handle, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return false;
    }
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) == FALSE) {
        return true;
    }
    return tag.ReparseTag == IO_REPARSE_TAG_SYMLINK || tag.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT;
}

EntryStatus statusOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(handle, &info) == FALSE) {
        return {EntryKind::Other, {}};
    }
    EntryStatus status;
    status.kind = isLink(handle, info.dwFileAttributes)                     ? EntryKind::Link
                  : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder
                                                                            : EntryKind::File;
    status.identity = {info.dwVolumeSerialNumber,
                       uint64_t{info.nFileIndexHigh} << 32U | info.nFileIndexLow};
    return status;
}

// Opens `path` to read its attributes; with `followLinks` false a link is
// opened itself.
HANDLE openForStatus(const std::wstring& path, bool followLinks) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0U : DWORD{FILE_FLAG_OPEN_REPARSE_POINT});
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, flags, nullptr);
}

EntryStatus statusAt(const std::wstring& path, bool followLinks) {
    Handle handle(openForStatus(path, followLinks));
    return handle.valid() ? statusOfHandle(handle.get()) : EntryStatus{};
}

// A folder held open: it may be read and written below, not moved.
HANDLE openFolderHandle(const std::wstring& path, bool followLinks) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0U : DWORD{FILE_FLAG_OPEN_REPARSE_POINT});
    return ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                         nullptr);
}

int writeAll(HANDLE file, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), kChunkBytes));
        if (::WriteFile(file, bytes.data(), chunk, &written, nullptr) == FALSE || written == 0) {
            return lastError();
        }
        bytes = bytes.subspan(written);
    }
    return 0;
}

} // namespace

struct ReadableFile::State {
    HANDLE file = INVALID_HANDLE_VALUE;
    uint64_t size = 0;
};

ReadableFile::ReadableFile(const std::string& name)
    : name_(name), state_(std::make_unique<State>()) {
    const std::wstring path = extendedPath(name);
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const int error = lastError();
        throw Failure(name + ": " +
                      (statusAt(path, true).kind == EntryKind::Folder ? "is a folder, not a file"
                                                                      : errorText(error)));
    }
    LARGE_INTEGER size{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        throw Failure(name + ": not a regular file");
    }
    if (::GetFileSizeEx(file.get(), &size) == FALSE) {
        throw Failure(name + ": " + errorText(lastError()));
    }
    state_->size = static_cast<uint64_t>(size.QuadPart);
    state_->file = file.release();
}

ReadableFile::~ReadableFile() {
    ::CloseHandle(state_->file);
}

uint64_t ReadableFile::size() const {
    return state_->size;
}

void ReadableFile::readAt(uint64_t position, std::span<uint8_t> into) const {
    size_t done = 0;
    while (done < into.size()) {
        OVERLAPPED at{};
        const uint64_t offset = position + done;
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32U);
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(into.size() - done, kChunkBytes));
        if (::ReadFile(state_->file, into.data() + done, chunk, &got, &at) == FALSE || got == 0) {
            throw Failure(name_ + ": cannot read " + std::to_string(into.size()) + " bytes at " +
                          std::to_string(position));
        }
        done += got;
    }
}

struct Folder::State {
    State(HANDLE opened, std::wstring where, std::shared_ptr<const State> above)
        : handle(opened), path(std::move(where)), parent(std::move(above)) {}
    ~State() { ::CloseHandle(handle); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    // A drive's root ("\\?\C:\") ends in a separator already.
    std::wstring inside(std::string_view part) const {
        return path + (path.ends_with(L'\\') ? L"" : L"\\") + wideName(part);
    }

    HANDLE handle;
    std::wstring path;
    std::shared_ptr<const State> parent; // held, so no folder above moves
};

int Folder::open(const std::string& name, Folder& folder) {
    const std::wstring path = extendedPath(name);
    Handle handle(openFolderHandle(path, true));
    if (!handle.valid()) {
        return lastError();
    }
    if (statusOfHandle(handle.get()).kind != EntryKind::Folder) {
        return ENOTDIR;
    }
    folder.state_ = std::make_shared<const State>(handle.release(), path, nullptr);
    return 0;
}

int Folder::openChild(const std::string& part, Folder& child) const {
    const std::wstring path = state_->inside(part);
    Handle handle(openFolderHandle(path, false));
    if (!handle.valid()) {
        return lastError();
    }
    const EntryKind kind = statusOfHandle(handle.get()).kind;
    if (kind != EntryKind::Folder) {
        return kind == EntryKind::Link ? ELOOP : ENOTDIR;
    }
    child.state_ = std::make_shared<const State>(handle.release(), path, state_);
    return 0;
}

int Folder::makeChild(const std::string& part) const {
    return ::CreateDirectoryW(state_->inside(part).c_str(), nullptr) != FALSE ? 0 : lastError();
}

EntryStatus Folder::status(const std::string& part) const {
    return statusAt(state_->inside(part), false);
}

int Folder::writeNewFile(const std::string& part, std::span<const uint8_t> bytes) const {
    const std::wstring path = state_->inside(part);
    Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return lastError();
    }
    int error = writeAll(file.get(), bytes);
    if (::CloseHandle(file.release()) == FALSE && error == 0) {
        error = lastError();
    }
    if (error != 0) {
        ::DeleteFileW(path.c_str());
    }
    return error;
}

int Folder::rename(const std::string& from, const std::string& to, bool replace) const {
    const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
    return ::MoveFileExW(state_->inside(from).c_str(), state_->inside(to).c_str(), flags) != FALSE
               ? 0
               : lastError();
}

void Folder::removeFile(const std::string& part) const noexcept {
    ::DeleteFileW(state_->inside(part).c_str());
}

void Folder::removeEmptyFolder(const std::string& path) const noexcept {
    ::RemoveDirectoryW(state_->inside(path).c_str());
}

void Folder::close() noexcept {
    state_.reset();
}

EntryStatus statusOf(const std::string& name) {
    return statusAt(extendedPath(name), true);
}

int makeFolder(const std::string& name) {
    return ::CreateDirectoryW(extendedPath(name).c_str(), nullptr) != FALSE ? 0 : lastError();
}

void removeEmptyFolder(const std::string& name) noexcept {
    ::RemoveDirectoryW(extendedPath(name).c_str());
}

} // namespace vexl::cli::host

#endif
