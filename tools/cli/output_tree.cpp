#include "output_tree.hpp"

#include "entry_names.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace vexl::cli {
namespace {

namespace fs = std::filesystem;

std::string joined(const std::vector<std::string>& parts, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        if (i != 0) {
            text += '/';
        }
        text += parts[i];
    }
    return text;
}

// A hidden name beside the final one: ".NAME.partRUN-COUNT".
std::string temporaryName(const std::string& name) {
    static std::atomic<unsigned> counter{0};
    static const unsigned run = std::random_device{}();
    return "." + name + ".part" + std::to_string(run) + "-" + std::to_string(counter.fetch_add(1));
}

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
    void reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

std::string systemMessage(int error) {
    return std::generic_category().message(error);
}

} // namespace

OutputTree::OutputTree(const fs::path& root, NameRules rules)
    : root_(root.empty() ? fs::path(".") : root), rules_(rules) {
    makeRoot(root_);
    rootFd_ = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rootFd_ < 0) {
        const int error = errno;
        discard();
        throw Failure(escapeForTerminal(root_.string()) + ": " +
                      (error == ENOTDIR ? "not a folder" : systemMessage(error)));
    }
}

OutputTree::~OutputTree() {
    if (!committed_) {
        discard();
    }
    if (rootFd_ >= 0) {
        ::close(rootFd_);
    }
}

void OutputTree::makeRoot(const fs::path& root) {
    std::vector<fs::path> missing;
    for (fs::path at = root; !at.empty(); at = at.parent_path()) {
        struct stat status {};
        if (::stat(at.c_str(), &status) == 0) {
            break;
        }
        missing.insert(missing.begin(), at);
        if (at == at.parent_path()) {
            break;
        }
    }
    for (const fs::path& folder : missing) {
        if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            const int error = errno;
            discard();
            throw Failure(escapeForTerminal(folder.string()) + ": " + systemMessage(error));
        }
        madeRoots_.push_back(folder);
    }
}

void OutputTree::protect(const fs::path& input) {
    struct stat status {};
    if (!input.empty() && ::stat(input.c_str(), &status) == 0) {
        inputs_.insert(
            {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)});
    }
}

std::string OutputTree::shown(const std::vector<std::string>& parts) const {
    const std::string below = joined(parts, parts.size());
    return escapeForTerminal(root_ == "." ? below : (root_ / below).string());
}

// The folder `folder` below the root, every part opened without following a
// link; with `make`, missing parts are made and remembered.
int OutputTree::openFolder(const std::vector<std::string>& folder, bool make) {
    Descriptor current(::dup(rootFd_));
    if (current.get() < 0) {
        throw Failure(escapeForTerminal(root_.string()) + ": " + systemMessage(errno));
    }
    for (size_t i = 0; i < folder.size(); ++i) {
        const std::string& part = folder[i];
        int next =
            ::openat(current.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT && make) {
            if (::mkdirat(current.get(), part.c_str(), 0777) != 0) {
                throw Failure(shown({folder.begin(), folder.begin() + static_cast<long>(i) + 1}) +
                              ": " + systemMessage(errno));
            }
            madeFolders_.emplace_back(folder.begin(), folder.begin() + static_cast<long>(i) + 1);
            next = ::openat(current.get(), part.c_str(),
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (next < 0) {
            const int error = errno;
            const std::string where =
                shown({folder.begin(), folder.begin() + static_cast<long>(i) + 1});
            struct stat status {};
            if (::fstatat(current.get(), part.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(status.st_mode)) {
                throw RefusedOutput(where + " is a symbolic link; it is not followed");
            }
            if (error == ENOTDIR) {
                throw RefusedOutput(where + " is a file where a folder is needed");
            }
            throw Failure(where + ": " + systemMessage(error));
        }
        current.reset(next);
    }
    return current.release();
}

// Refuses a name that another output already takes: the same file, a file
// where it needs a folder, or a folder where it is a file.
void OutputTree::refuseClash(const std::vector<std::string>& parts) const {
    for (size_t i = 1; i < parts.size(); ++i) {
        const auto file = stagedNames_.find(sameFileKey(joined(parts, i), rules_));
        if (file != stagedNames_.end()) {
            throw RefusedOutput(shown(parts) + ": another output is a file of the name " +
                                escapeForTerminal(file->second));
        }
    }
    const std::string whole = joined(parts, parts.size());
    const std::string key = sameFileKey(whole, rules_);
    if (const auto same = stagedNames_.find(key); same != stagedNames_.end()) {
        throw RefusedOutput(shown(parts) +
                            (same->second == whole
                                 ? ": another output has the same name"
                                 : ": another output has the same name but for letter case, " +
                                       escapeForTerminal(same->second) +
                                       ", which Windows takes for the same file"));
    }
    if (folderNames_.count(key) != 0) {
        throw RefusedOutput(shown(parts) + ": another output needs a folder of that name");
    }
}

void OutputTree::stage(const std::vector<std::string>& parts, std::span<const uint8_t> bytes) {
    const std::string whole = joined(parts, parts.size());
    // Entry names were checked by the commands; a file name the user gave
    // on Linux (say "a:b.png") stays allowed unless Windows' rules apply.
    if (rules_ == NameRules::Windows) {
        if (std::optional<std::string> reason = unsafeReason(whole, rules_)) {
            throw RefusedOutput(shown(parts) + ": " + *reason);
        }
    }
    const std::vector<std::string> folder(parts.begin(), parts.end() - 1);
    refuseClash(parts);
    Descriptor folderFd(openFolder(folder, true));
    struct stat status {};
    if (::fstatat(folderFd.get(), parts.back().c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(status.st_mode)) {
            throw RefusedOutput(shown(parts) + " is a symbolic link; it is not followed");
        }
        if (S_ISDIR(status.st_mode)) {
            throw RefusedOutput(shown(parts) + " is a folder");
        }
        if (inputs_.count({static_cast<uint64_t>(status.st_dev),
                           static_cast<uint64_t>(status.st_ino)}) != 0) {
            throw RefusedOutput(shown(parts) + " is one of the inputs; it is not replaced");
        }
    }
    const std::string temporary = temporaryName(parts.back());
    Descriptor file(::openat(folderFd.get(), temporary.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        throw Failure(shown(parts) + ": " + systemMessage(errno));
    }
    staged_.push_back({folder, temporary, parts.back()});
    const bool written = writeAll(file.get(), bytes);
    const int error = errno;
    if (!written || ::close(file.release()) != 0) {
        throw Failure(shown(parts) + ": " + systemMessage(written ? errno : error));
    }
    stagedNames_.emplace(sameFileKey(whole, rules_), whole);
    for (size_t i = 1; i < parts.size(); ++i) {
        folderNames_.insert(sameFileKey(joined(parts, i), rules_));
    }
}

void OutputTree::commit() {
    for (size_t i = 0; i < staged_.size(); ++i) {
        const Staged& file = staged_[i];
        Descriptor folderFd(openFolder(file.folder, false));
        if (::renameat(folderFd.get(), file.temporary.c_str(), folderFd.get(), file.name.c_str()) !=
            0) {
            const int error = errno;
            std::vector<std::string> parts = file.folder;
            parts.push_back(file.name);
            staged_.erase(staged_.begin(), staged_.begin() + static_cast<long>(i));
            discard();
            throw Failure(shown(parts) + ": " + systemMessage(error) + " (" + std::to_string(i) +
                          " files were written before it)");
        }
    }
    committed_ = true;
    removeEmptyMadeFolders();
}

void OutputTree::removeEmptyMadeFolders() noexcept {
    // Innermost first; a folder that holds something stays.
    for (auto made = madeFolders_.rbegin(); made != madeFolders_.rend(); ++made) {
        if (rootFd_ >= 0) {
            ::unlinkat(rootFd_, joined(*made, made->size()).c_str(), AT_REMOVEDIR);
        }
    }
    madeFolders_.clear();
    for (auto made = madeRoots_.rbegin(); made != madeRoots_.rend(); ++made) {
        ::rmdir(made->c_str());
    }
    madeRoots_.clear();
}

void OutputTree::discard() noexcept {
    for (const Staged& file : staged_) {
        try {
            Descriptor folderFd(openFolder(file.folder, false));
            ::unlinkat(folderFd.get(), file.temporary.c_str(), 0);
        } catch (...) {
            // The folder went away: so did the file.
        }
    }
    staged_.clear();
    removeEmptyMadeFolders();
    committed_ = true;
}

} // namespace vexl::cli
