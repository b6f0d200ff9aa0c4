// extract: writes the entries of a PAK or WAD2 archive under a directory,
// never outside it.
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "output/messages.hpp"
#include "output/output_tree.hpp"
#include "output/progress.hpp"
#include "sources/archive.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <set>

namespace vexl::cli {
namespace {

struct ExtractOptions {
    ArchiveArguments where;
    std::vector<std::string> names;
    bool verbose = false;
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

class Extractor {
  public:
    Extractor(const ExtractOptions& options, const Archive& archive)
        : options_(options), archive_(archive) {}

    void run() {
        const std::vector<const ArchiveEntry*> chosen = choose();
        OutputTree tree(options_.where.outputDir, options_.where.rules());
        tree.protect(options_.where.archive);
        tree.protect(options_.where.pak);
        {
            Progress progress("extracting", chosen.size());
            std::set<std::string> written;
            for (const ArchiveEntry* entry : chosen) {
                extractOne(*entry, tree, written, progress);
                progress.step();
            }
        }
        tree.commit();
        std::printf("extracted %zu of %zu entries to %s\n", tree.stagedCount(), chosen.size(),
                    options_.where.outputDir.c_str());
        problems_.throwIfAny(archive_.shownName(), "problem", "problems", ", see the warnings");
    }

  private:
    std::vector<const ArchiveEntry*> choose() {
        std::vector<std::vector<std::string>> patterns;
        for (const std::string& name : options_.names) {
            patterns.push_back(namesFromArgument(displayName(name)));
        }
        std::vector<const ArchiveEntry*> chosen;
        std::vector<bool> patternUsed(patterns.size(), false);
        for (const ArchiveEntry& entry : archive_.entries()) {
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
                problems_.warn(options_.names[i], "no entry matches");
            }
        }
        return chosen;
    }

    // Entries that may not be written are skipped with a warning; a failure
    // to write removes everything written so far.
    void extractOne(const ArchiveEntry& entry, OutputTree& tree, std::set<std::string>& written,
                    Progress& progress) {
        std::optional<std::string> reason = Archive::refusal(entry, options_.where.rules());
        if (!reason && written.count(entry.name) != 0) {
            reason = "an earlier entry has the same name";
        }
        if (!reason) {
            try {
                tree.stage(splitParts(entry.name), archive_.read(entry));
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
            problems_.warn(entry.name, "skipped, " + *reason);
        } else if (options_.verbose) {
            progress.clear();
            std::printf("%s\n", tree.shown(splitParts(entry.name)).c_str());
        }
    }

    const ExtractOptions& options_;
    const Archive& archive_;
    Problems problems_;
};

void runExtract(const ExtractOptions& options) {
    const Archive archive = Archive::open(options.where.archive, options.where.pak);
    Extractor(options, archive).run();
}

void describeExtract(CLI::App& command, ExtractOptions& options) {
    options.where.outputDir = ".";
    addArchiveArguments(command, options.where, "directory to write under");
    command.add_option("NAME", options.names,
                       "entries to write (default: all); * matches any run of characters");
    command.add_flag("-v,--verbose", options.verbose, "print every file written");
}

} // namespace

void addExtractCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describeExtract, runExtract);
}

} // namespace vexl::cli
