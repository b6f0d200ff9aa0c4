// Writing files under an output folder, safely and all together: every file
// is first written beside its place under a temporary name, and only when
// all are written are they renamed into place. Nothing is written through a
// symbolic link that is found below the folder, no output replaces an input,
// and a failure removes every temporary file and every folder made. Every
// name written stays below the folder, whatever the rules and whatever the
// caller checked, and keeps the given name rules: this is where they hold
// for every command.
#pragma once

#include "failure.hpp"
#include "host/files.hpp"
#include "output/entry_names.hpp"

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace vexl::cli {

// An output that may not be written where it was asked for (a symbolic
// link or folder in the way, an input in its place). The other outputs may
// still be written.
class RefusedOutput : public Failure {
  public:
    using Failure::Failure;
};

class OutputTree {
  public:
    // Opens `root`, making it and its missing parents (removed again when
    // nothing is committed). The user named `root`, so a link in it is
    // followed and its own name is not checked; below it no link is
    // followed and every name keeps `rules`.
    OutputTree(const std::string& root, NameRules rules);
    // Discards what was not committed.
    ~OutputTree();
    OutputTree(const OutputTree&) = delete;
    OutputTree& operator=(const OutputTree&) = delete;

    // Refuses to write over the file `input` (when it exists).
    void protect(const std::string& input);

    // Writes `bytes` to a temporary file for the name `parts` below the
    // root. Throws RefusedOutput when the name may not be written (a part
    // that is empty, "." or "..", absolute or with a drive on any system,
    // or holds a "/"; a name that breaks the name rules, or is the same
    // file as another output's name under them), Failure when writing fails.
    void stage(const std::vector<std::string>& parts, std::span<const uint8_t> bytes);

    // Renames every staged file into place, and removes the folders it made
    // that stayed empty (all the outputs meant for them were refused).
    void commit();

    // Removes the staged files and the folders made; nothing stays.
    void discard() noexcept;

    size_t stagedCount() const { return staged_.size(); }
    // "ROOT/PART/PART" for messages, escaped for a terminal.
    std::string shown(const std::vector<std::string>& parts) const;

  private:
    struct Staged {
        std::vector<std::string> folder;
        std::string temporary;
        std::string name;
        bool replaces = false; // the name was taken when staged
    };
    host::Folder openFolder(const std::vector<std::string>& folder, bool make);
    void makeRoot(const std::string& root);
    void removeEmptyMadeFolders() noexcept;
    void refuseClash(const std::vector<std::string>& parts) const;
    void refuseTaken(const std::vector<std::string>& parts, const host::Folder& folder,
                     bool& replaces) const;

    std::string root_;
    NameRules rules_;
    host::Folder rootFolder_;
    std::vector<std::string> madeRoots_; // outermost first
    std::vector<std::vector<std::string>> madeFolders_;
    std::vector<Staged> staged_;
    // Keyed by sameFileKey: the name as staged, and the folders needed.
    std::map<std::string, std::string> stagedNames_;
    std::set<std::string> folderNames_;
    std::set<host::FileIdentity> inputs_;
    bool committed_ = false;
};

} // namespace vexl::cli
