// extract: writes the entries of a PAK or WAD2 archive under a directory,
// never outside it.
#include "archive_file.hpp"
#include "archives.hpp"
#include "commands.hpp"
#include "entry_names.hpp"
#include "option_checks.hpp"
#include "output_tree.hpp"
#include "progress.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <optional>
#include <set>

namespace vexl::cli {
namespace {

struct ExtractOptions {
    std::string archive;
    std::vector<std::string> names;
    std::string pak;
    std::string outputDir = ".";
    bool verbose = false;
    bool windowsNames = false;
};

// One entry to write: its name as the archive gives it, and where its bytes
// come from.
struct Entry {
    std::string name; // parts separated by "/"
    bool valid = true;
    uint32_t position = 0;
    uint32_t length = 0;
    std::optional<std::string> refusal;
};

// `*` stands for any run of characters, `?` for one.
bool matches(std::string_view pattern, std::string_view name) {
    size_t p = 0;
    size_t n = 0;
    size_t starAt = std::string_view::npos;
    size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<Entry> entriesOf(const OpenedArchive& archive) {
    std::vector<Entry> entries;
    if (archive.kind == FileType::Pak) {
        for (const VEXLPACKENTRY_T& entry : archive.pack) {
            // The library cannot load an empty entry, but it is an empty file.
            const bool empty = entry.fileLen == 0;
            entries.push_back({displayName(vexalkit::entryName(entry)), entry.valid != 0 || empty,
                               entry.filePos, entry.fileLen, std::nullopt});
        }
        return entries;
    }
    for (const VEXLWADENTRY_T& entry : archive.wad) {
        // WAD2 names are flat: a separator in one would make a path.
        Entry listed{std::string(vexalkit::entryName(entry)),
                     wadEntryInside(entry, archive.wadBytes.size()), entry.filePos, entry.diskLen,
                     std::nullopt};
        if (listed.name.find_first_of("/\\") != std::string::npos) {
            listed.refusal = "name holds a path separator";
        }
        entries.push_back(listed);
    }
    return entries;
}

class Extractor {
  public:
    Extractor(const ExtractOptions& options, const OpenedArchive& archive)
        : options_(options), archive_(archive) {
        if (archive_.kind == FileType::Pak) {
            file_ = std::make_unique<ArchiveFile>(options_.archive);
        }
    }

    void run() {
        const std::vector<Entry> entries = entriesOf(archive_);
        std::vector<const Entry*> chosen = choose(entries);
        OutputTree tree(options_.outputDir, nameRules(options_.windowsNames));
        tree.protect(options_.archive);
        tree.protect(options_.pak);
        {
            Progress progress("extracting", chosen.size());
            std::set<std::string> written;
            for (const Entry* entry : chosen) {
                extractOne(*entry, tree, written, progress);
                progress.step();
            }
        }
        tree.commit();
        std::printf("extracted %zu of %zu entries to %s\n", tree.stagedCount(), chosen.size(),
                    options_.outputDir.c_str());
        if (problems_ != 0) {
            throw Failure(archive_.shownName + ": " + std::to_string(problems_) +
                          (problems_ == 1 ? " problem" : " problems") + ", see the warnings");
        }
    }

  private:
    std::vector<const Entry*> choose(const std::vector<Entry>& entries) {
        std::vector<std::vector<std::string>> patterns;
        for (const std::string& name : options_.names) {
            patterns.push_back(namesFromArgument(displayName(name)));
        }
        std::vector<const Entry*> chosen;
        std::vector<bool> patternUsed(patterns.size(), false);
        for (const Entry& entry : entries) {
            bool wanted = patterns.empty();
            for (size_t i = 0; i < patterns.size(); ++i) {
                for (const std::string& pattern : patterns[i]) {
                    if (matches(pattern, entry.name)) {
                        wanted = true;
                        patternUsed[i] = true;
                    }
                }
            }
            if (wanted) {
                chosen.push_back(&entry);
            }
        }
        for (size_t i = 0; i < patterns.size(); ++i) {
            if (!patternUsed[i]) {
                warn(options_.names[i], "no entry matches");
            }
        }
        return chosen;
    }

    // Entries that may not be written are skipped with a warning; a failure
    // to write removes everything written so far.
    void extractOne(const Entry& entry, OutputTree& tree, std::set<std::string>& written,
                    Progress& progress) {
        std::optional<std::string> reason = entry.refusal;
        if (!reason) {
            reason = unsafeReason(entry.name, nameRules(options_.windowsNames));
        }
        if (!reason && !entry.valid) {
            reason = "its data lie outside the archive";
        }
        if (!reason && written.count(entry.name) != 0) {
            reason = "an earlier entry has the same name";
        }
        if (!reason) {
            try {
                tree.stage(splitParts(entry.name), bytesOf(entry));
                written.insert(entry.name);
            } catch (const RefusedOutput& refused) {
                reason = refused.what();
            } catch (const Failure& failure) {
                progress.clear();
                tree.discard();
                throw Failure(std::string(failure.what()) + "; nothing was extracted");
            }
        }
        if (reason) {
            progress.clear();
            warn(entry.name, "skipped, " + *reason);
        } else if (options_.verbose) {
            progress.clear();
            std::printf("%s\n", tree.shown(splitParts(entry.name)).c_str());
        }
    }

    std::vector<uint8_t> bytesOf(const Entry& entry) const {
        if (entry.length == 0) {
            return {};
        }
        if (file_) {
            return file_->read(entry.position, entry.length);
        }
        const uint8_t* start = archive_.wadBytes.data() + entry.position;
        return std::vector<uint8_t>(start, start + entry.length);
    }

    void warn(const std::string& name, const std::string& message) {
        ++problems_;
        std::fflush(stdout);
        std::fprintf(stderr, "vexalkit: warning: %s: %s\n", escapeForTerminal(name).c_str(),
                     message.c_str());
    }

    const ExtractOptions& options_;
    const OpenedArchive& archive_;
    std::unique_ptr<ArchiveFile> file_;
    size_t problems_ = 0;
};

} // namespace

void addExtractCommand(CLI::App& app) {
    auto options = std::make_shared<ExtractOptions>();
    CLI::App* command = app.add_subcommand(
        "extract", "write the entries of a PAK or WAD2 archive to files under a directory");
    command->add_option("ARCHIVE", options->archive, "the archive (a PAK is read as NAME.pak)")
        ->required();
    command->add_option("NAME", options->names,
                        "entries to write (default: all); * matches any run of characters");
    command->add_option("-o,--output", options->outputDir, "directory to write under")
        ->type_name("DIR");
    command->add_option("--pak", options->pak, "read a WAD2 ARCHIVE from inside this PAK")
        ->type_name("PAK");
    command->add_flag("-v,--verbose", options->verbose, "print every file written");
    addWindowsNamesOption(*command, options->windowsNames);
    command->footer(
        "Entries whose names would lead outside DIR (absolute, with a drive, or with a .. part) "
        "or through a symbolic link inside DIR are skipped with a warning, and with "
        "--windows-names also those Windows cannot hold or tell apart. The files are "
        "written together: if writing one fails, none is left. NAME may be given as printed "
        "by ls --json.");
    command->callback([options] {
        const auto archive = openArchive(options->archive, options->pak);
        Extractor(*options, *archive).run();
    });
}

} // namespace vexl::cli
