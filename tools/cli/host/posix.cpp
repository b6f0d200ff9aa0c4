// The tool's system calls on POSIX systems: names are the bytes given.
#if !defined(_WIN32)

#include "console.hpp"
#include "files.hpp"
#include "paths.hpp"

#include "failure.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>

namespace vexl::cli::host {

std::filesystem::path toPath(std::string_view name) {
    return std::filesystem::path(std::string(name));
}

std::string fromPath(const std::filesystem::path& path, bool generic) {
    return generic ? path.generic_string() : path.string();
}

std::string libraryPath(const std::string& name) {
    return name;
}

std::string errorText(int error) {
    return std::generic_category().message(error);
}

Arguments::Arguments(int argc, char** argv) : texts_(argv, argv + argc) {
    for (std::string& text : texts_) {
        pointers_.push_back(text.data());
    }
    pointers_.push_back(nullptr);
}

void prepareStandardStreams() {}

bool isTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) != 0;
}

namespace {

// Closes a descriptor on every path out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

EntryStatus statusFrom(const struct stat& info) {
    EntryStatus status;
    status.kind = S_ISREG(info.st_mode)   ? EntryKind::File
                  : S_ISDIR(info.st_mode) ? EntryKind::Folder
                  : S_ISLNK(info.st_mode) ? EntryKind::Link
                                          : EntryKind::Other;
    status.identity = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    return status;
}

int writeAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return 0;
}

// Whether `part` names one entry inside a folder: not the folder itself,
// not the one above it, not a path. The output tree refuses other names
// before they come here; a mistake there still writes nothing outside.
bool onePart(const std::string& part) {
    return !part.empty() && part != "." && part != ".." && part.find('/') == std::string::npos;
}

// Whether every part of the "/"-separated `path` is one.
bool everyPartIsOne(const std::string& path) {
    size_t start = 0;
    for (size_t end = path.find('/'); end != std::string::npos; end = path.find('/', start)) {
        if (!onePart(path.substr(start, end - start))) {
            return false;
        }
        start = end + 1;
    }
    return onePart(path.substr(start));
}

} // namespace

struct ReadableFile::State {
    int fd = -1;
    uint64_t size = 0;
};

ReadableFile::ReadableFile(const std::string& name)
    : name_(name), state_(std::make_unique<State>()) {
    // Without blocking, so that a pipe's name is refused rather than waited on.
    state_->fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    const int error = state_->fd < 0 ? errno : ::fstat(state_->fd, &info) != 0 ? errno : 0;
    if (error != 0 || !S_ISREG(info.st_mode)) {
        if (state_->fd >= 0) {
            ::close(state_->fd);
        }
        throw Failure(name + ": " +
                      (error != 0              ? errorText(error)
                       : S_ISDIR(info.st_mode) ? "is a folder, not a file"
                                               : "not a regular file"));
    }
    state_->size = static_cast<uint64_t>(info.st_size);
}

ReadableFile::~ReadableFile() {
    ::close(state_->fd);
}

uint64_t ReadableFile::size() const {
    return state_->size;
}

void ReadableFile::readAt(uint64_t position, std::span<uint8_t> into) const {
    size_t done = 0;
    while (done < into.size()) {
        const ssize_t got = ::pread(state_->fd, into.data() + done, into.size() - done,
                                    static_cast<off_t>(position + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw Failure(name_ + ": cannot read " + std::to_string(into.size()) + " bytes at " +
                          std::to_string(position));
        }
        done += static_cast<size_t>(got);
    }
}

struct Folder::State {
    explicit State(int descriptor) : fd(descriptor) {}
    ~State() { ::close(fd); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    int fd;
};

int Folder::open(const std::string& name, Folder& folder) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    folder.state_ = std::make_shared<const State>(fd);
    return 0;
}

int Folder::openChild(const std::string& part, Folder& child) const {
    if (!onePart(part)) {
        return EINVAL;
    }
    const int fd =
        ::openat(state_->fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return status(part).kind == EntryKind::Link ? ELOOP : error;
    }
    child.state_ = std::make_shared<const State>(fd);
    return 0;
}

int Folder::makeChild(const std::string& part) const {
    if (!onePart(part)) {
        return EINVAL;
    }
    return ::mkdirat(state_->fd, part.c_str(), 0777) == 0 ? 0 : errno;
}

EntryStatus Folder::status(const std::string& part) const {
    struct stat info {};
    if (::fstatat(state_->fd, part.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return {};
    }
    return statusFrom(info);
}

int Folder::writeNewFile(const std::string& part, std::span<const uint8_t> bytes) const {
    if (!onePart(part)) {
        return EINVAL;
    }
    Descriptor file(::openat(state_->fd, part.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        return errno;
    }
    int error = writeAll(file.get(), bytes);
    if (::close(file.release()) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(state_->fd, part.c_str(), 0);
    }
    return error;
}

int Folder::rename(const std::string& from, const std::string& to, bool replace) const {
    if (!onePart(from) || !onePart(to)) {
        return EINVAL;
    }
#if defined(__linux__)
    if (!replace) {
        if (::renameat2(state_->fd, from.c_str(), state_->fd, to.c_str(), RENAME_NOREPLACE) == 0) {
            return 0;
        }
        // A file system that cannot promise it (EINVAL) gets a plain rename:
        // a case-sensitive one, where the name was checked free before.
        if (errno != EINVAL && errno != ENOSYS) {
            return errno;
        }
    }
#endif
    (void)replace;
    return ::renameat(state_->fd, from.c_str(), state_->fd, to.c_str()) == 0 ? 0 : errno;
}

void Folder::removeFile(const std::string& part) const noexcept {
    if (!onePart(part)) {
        return;
    }
    ::unlinkat(state_->fd, part.c_str(), 0);
}

void Folder::removeEmptyFolder(const std::string& path) const noexcept {
    if (!everyPartIsOne(path)) {
        return;
    }
    ::unlinkat(state_->fd, path.c_str(), AT_REMOVEDIR);
}

void Folder::close() noexcept {
    state_.reset();
}

EntryStatus statusOf(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) {
        return {};
    }
    return statusFrom(info);
}

int makeFolder(const std::string& name) {
    return ::mkdir(name.c_str(), 0777) == 0 ? 0 : errno;
}

void removeEmptyFolder(const std::string& name) noexcept {
    ::rmdir(name.c_str());
}

} // namespace vexl::cli::host

#endif
