#include "output/output_tree.hpp"

#include "host/paths.hpp"
#include "output/entry_names.hpp"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

namespace vexl::cli {
namespace {

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

std::vector<std::string> leading(const std::vector<std::string>& parts, size_t count) {
    return {parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(count)};
}

// A hidden name beside the final one: ".NAME.partRUN-COUNT".
std::string temporaryName(const std::string& name) {
    static std::atomic<unsigned> counter{0};
    static const unsigned run = std::random_device{}();
    return "." + name + ".part" + std::to_string(run) + "-" + std::to_string(counter.fetch_add(1));
}

bool startsWithDrive(std::string_view part) {
    if (part.size() < 2 || part[1] != ':') {
        return false;
    }
    const auto letter = static_cast<unsigned char>(part[0]) | 0x20U;
    return letter >= 'a' && letter <= 'z';
}

// Why `part` cannot be one part of a name below the root, under any rules:
// it names no file (empty, "."), leaves the root (".."), starts again from a
// root or a drive on some system, or is more than one part.
std::optional<std::string> partReason(std::string_view part) {
    if (part.empty() || part == ".") {
        return "empty path part";
    }
    if (part == "..") {
        return "path leaves the output directory";
    }
    if (part.front() == '/') {
        return "absolute path";
    }
    if (part.front() == '\\') {
        return "absolute path on Windows";
    }
    if (startsWithDrive(part)) {
        return "path with a drive";
    }
    if (part.find('/') != std::string_view::npos) {
        return "\"/\" inside one part of the name";
    }
    return std::nullopt;
}

} // namespace

OutputTree::OutputTree(const std::string& root, NameRules rules)
    : root_(root.empty() ? std::string(".") : root), rules_(rules) {
    makeRoot(root_);
    if (const int error = host::Folder::open(root_, rootFolder_); error != 0) {
        discard();
        throw Failure(escapeForTerminal(root_) + ": " +
                      (error == ENOTDIR ? "not a folder" : host::errorText(error)));
    }
}

OutputTree::~OutputTree() {
    if (!committed_) {
        discard();
    }
}

void OutputTree::makeRoot(const std::string& root) {
    std::vector<std::string> missing;
    for (std::filesystem::path at = host::toPath(root); !at.empty(); at = at.parent_path()) {
        const std::string name = host::fromPath(at);
        if (host::statusOf(name).kind != host::EntryKind::Missing) {
            break;
        }
        missing.insert(missing.begin(), name);
        if (at == at.parent_path()) {
            break;
        }
    }
    for (const std::string& folder : missing) {
        if (const int error = host::makeFolder(folder); error != 0 && error != EEXIST) {
            discard();
            throw Failure(escapeForTerminal(folder) + ": " + host::errorText(error));
        }
        madeRoots_.push_back(folder);
    }
}

void OutputTree::protect(const std::string& input) {
    if (input.empty()) {
        return;
    }
    const host::EntryStatus status = host::statusOf(input);
    if (status.kind != host::EntryKind::Missing) {
        inputs_.insert(status.identity);
    }
}

std::string OutputTree::shown(const std::vector<std::string>& parts) const {
    const std::string below = joined(parts, parts.size());
    if (root_ == ".") {
        return escapeForTerminal(below);
    }
    const bool separated = root_.back() == '/' || root_.back() == '\\';
    return escapeForTerminal(root_ + (separated ? "" : "/") + below);
}

// The folder `folder` below the root, every part opened without following a
// link; with `make`, missing parts are made and remembered.
host::Folder OutputTree::openFolder(const std::vector<std::string>& folder, bool make) {
    if (!rootFolder_.isOpen()) {
        throw Failure(escapeForTerminal(root_) + ": the output folder is closed");
    }
    host::Folder current = rootFolder_;
    for (size_t i = 0; i < folder.size(); ++i) {
        const std::string& part = folder[i];
        host::Folder next;
        int error = current.openChild(part, next);
        if (error == ENOENT && make) {
            if (const int made = current.makeChild(part); made != 0) {
                throw Failure(shown(leading(folder, i + 1)) + ": " + host::errorText(made));
            }
            madeFolders_.push_back(leading(folder, i + 1));
            error = current.openChild(part, next);
        }
        if (error == ELOOP) {
            throw RefusedOutput(shown(leading(folder, i + 1)) +
                                " is a symbolic link; it is not followed");
        }
        if (error == ENOTDIR) {
            throw RefusedOutput(shown(leading(folder, i + 1)) +
                                " is a file where a folder is needed");
        }
        if (error != 0) {
            throw Failure(shown(leading(folder, i + 1)) + ": " + host::errorText(error));
        }
        current = std::move(next);
    }
    return current;
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

// Refuses to replace what is at the name now unless it is a plain file that
// is not an input; says whether something is replaced.
void OutputTree::refuseTaken(const std::vector<std::string>& parts, const host::Folder& folder,
                             bool& replaces) const {
    const host::EntryStatus status = folder.status(parts.back());
    switch (status.kind) {
    case host::EntryKind::Missing:
        replaces = false;
        return;
    case host::EntryKind::Link:
        throw RefusedOutput(shown(parts) + " is a symbolic link; it is not followed");
    case host::EntryKind::Folder:
        throw RefusedOutput(shown(parts) + " is a folder");
    default:
        break;
    }
    if (inputs_.count(status.identity) != 0) {
        throw RefusedOutput(shown(parts) + " is one of the inputs; it is not replaced");
    }
    replaces = true;
}

void OutputTree::stage(const std::vector<std::string>& parts, std::span<const uint8_t> bytes) {
    const std::string whole = joined(parts, parts.size());
    if (whole.empty()) {
        throw RefusedOutput(shown(parts) + ": empty name");
    }
    // Whatever the commands checked, no name leaves the root, under any
    // rules. Windows' rules add their own reasons, checked first on the
    // whole name ("\" among them: it separates parts there); without them
    // a name the user gave on Linux (say "a:b.png") stays allowed.
    if (rules_ == NameRules::Windows) {
        if (std::optional<std::string> reason = unsafeReason(whole, rules_)) {
            throw RefusedOutput(shown(parts) + ": " + *reason);
        }
    }
    for (const std::string& part : parts) {
        if (std::optional<std::string> reason = partReason(part)) {
            throw RefusedOutput(shown(parts) + ": " + *reason);
        }
    }
    const std::vector<std::string> folderParts = leading(parts, parts.size() - 1);
    refuseClash(parts);
    const host::Folder folder = openFolder(folderParts, true);
    bool replaces = false;
    refuseTaken(parts, folder, replaces);
    const std::string temporary = temporaryName(parts.back());
    if (const int error = folder.writeNewFile(temporary, bytes); error != 0) {
        throw Failure(shown(parts) + ": " + host::errorText(error));
    }
    staged_.push_back({folderParts, temporary, parts.back(), replaces});
    stagedNames_.emplace(sameFileKey(whole, rules_), whole);
    for (size_t i = 1; i < parts.size(); ++i) {
        folderNames_.insert(sameFileKey(joined(parts, i), rules_));
    }
}

void OutputTree::commit() {
    for (size_t i = 0; i < staged_.size(); ++i) {
        const Staged& file = staged_[i];
        // A name that was free when staged must still be: a file system
        // that matches names more loosely than the rules (letter case
        // beyond ASCII) may have given it to an earlier output meanwhile.
        const int error =
            openFolder(file.folder, false).rename(file.temporary, file.name, file.replaces);
        if (error != 0) {
            std::vector<std::string> parts = file.folder;
            parts.push_back(file.name);
            staged_.erase(staged_.begin(), staged_.begin() + static_cast<std::ptrdiff_t>(i));
            discard();
            throw Failure(shown(parts) + ": " +
                          (error == EEXIST ? "another output took this name meanwhile (the file "
                                             "system takes the two names for the same file)"
                                           : host::errorText(error)) +
                          " (" + std::to_string(i) + " files were written before it)");
        }
    }
    committed_ = true;
    removeEmptyMadeFolders();
}

void OutputTree::removeEmptyMadeFolders() noexcept {
    // Innermost first; a folder that holds something stays.
    for (auto made = madeFolders_.rbegin(); made != madeFolders_.rend(); ++made) {
        if (rootFolder_.isOpen()) {
            rootFolder_.removeEmptyFolder(joined(*made, made->size()));
        }
    }
    madeFolders_.clear();
    // Windows removes no folder that is held open.
    rootFolder_.close();
    for (auto made = madeRoots_.rbegin(); made != madeRoots_.rend(); ++made) {
        host::removeEmptyFolder(*made);
    }
    madeRoots_.clear();
}

void OutputTree::discard() noexcept {
    for (const Staged& file : staged_) {
        try {
            openFolder(file.folder, false).removeFile(file.temporary);
        } catch (...) {
            // The folder went away: so did the file.
        }
    }
    staged_.clear();
    removeEmptyMadeFolders();
    committed_ = true;
}

} // namespace vexl::cli
