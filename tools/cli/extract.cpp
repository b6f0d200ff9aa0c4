// extract: writes the entries of a PAK or WAD2 archive under a directory,
// never outside it.
#include "archives.hpp"
#include "commands.hpp"
#include "output.hpp"
#include "progress.hpp"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>

namespace vexl::cli {
namespace {

namespace fs = std::filesystem;

struct ExtractOptions {
    std::string archive;
    std::vector<std::string> names;
    std::string pak;
    std::string outputDir = ".";
    bool verbose = false;
};

// One entry to write: its name as the archive gives it, and where its bytes
// come from.
struct Entry {
    std::string name; // parts separated by "/"
    std::string libraryName;
    bool valid = true;
    uint32_t position = 0;
    uint32_t length = 0;
    std::optional<std::string> refusal;
};

std::vector<std::string> splitParts(const std::string& name) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// Why an entry may not be written under the output directory, if it may not.
std::optional<std::string> unsafeReason(const Entry& entry) {
    const std::string& name = entry.name;
    if (entry.refusal) {
        return entry.refusal;
    }
    if (name.empty()) {
        return "empty name";
    }
    if (name.front() == '/') {
        return "absolute path";
    }
    if (name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) != 0 &&
        name[1] == ':') {
        return "path with a drive";
    }
    for (const std::string& part : splitParts(name)) {
        if (part == "..") {
            return "path leaves the output directory";
        }
        if (part.empty() || part == ".") {
            return "empty path part";
        }
    }
    return std::nullopt;
}

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
            entries.push_back({displayName(entry.name), entry.name, entry.valid != 0, entry.filePos,
                               entry.fileLen, std::nullopt});
        }
        return entries;
    }
    for (const VEXLWADENTRY_T& entry : archive.wad) {
        // WAD2 names are flat: a separator in one would make a path.
        Entry listed{entry.name,    entry.name,    wadEntryInside(entry, archive.wadBytes.size()),
                     entry.filePos, entry.diskLen, std::nullopt};
        if (listed.name.find_first_of("/\\") != std::string::npos) {
            listed.refusal = "name holds a path separator";
        }
        entries.push_back(listed);
    }
    return entries;
}

fs::path outputPath(const fs::path& directory, const Entry& entry) {
    fs::path path = directory;
    for (const std::string& part : splitParts(entry.name)) {
        path /= fs::path(part);
    }
    return path;
}

class Extractor {
  public:
    Extractor(const ExtractOptions& options, const OpenedArchive& archive)
        : options_(options), archive_(archive) {}

    void run() {
        const std::vector<Entry> entries = entriesOf(archive_);
        std::vector<const Entry*> chosen = choose(entries);
        Progress progress("extracting", chosen.size());
        std::set<std::string> written;
        for (const Entry* entry : chosen) {
            extractOne(*entry, written, progress);
            progress.step();
        }
        progress.clear();
        std::printf("extracted %zu of %zu entries to %s\n", written.size(), chosen.size(),
                    options_.outputDir.c_str());
        if (problems_ != 0) {
            throw Failure(archive_.shownName + ": " + std::to_string(problems_) +
                          (problems_ == 1 ? " problem" : " problems") + ", see the warnings");
        }
    }

  private:
    std::vector<const Entry*> choose(const std::vector<Entry>& entries) {
        std::vector<const Entry*> chosen;
        std::vector<bool> patternUsed(options_.names.size(), false);
        for (const Entry& entry : entries) {
            bool wanted = options_.names.empty();
            for (size_t i = 0; i < options_.names.size(); ++i) {
                if (matches(displayName(options_.names[i]), entry.name)) {
                    wanted = true;
                    patternUsed[i] = true;
                }
            }
            if (wanted) {
                chosen.push_back(&entry);
            }
        }
        for (size_t i = 0; i < options_.names.size(); ++i) {
            if (!patternUsed[i]) {
                warn(options_.names[i], "no entry matches");
            }
        }
        return chosen;
    }

    void extractOne(const Entry& entry, std::set<std::string>& written, Progress& progress) {
        std::optional<std::string> reason = unsafeReason(entry);
        if (!reason && !entry.valid) {
            reason = "its data lie outside the archive";
        }
        if (!reason && written.count(entry.name) != 0) {
            reason = "an earlier entry has the same name";
        }
        if (reason) {
            progress.clear();
            warn(entry.name, "skipped, " + *reason);
            return;
        }
        const fs::path path = outputPath(options_.outputDir, entry);
        try {
            writeFileAtomically(path, bytesOf(entry));
        } catch (const Failure& failure) {
            progress.clear();
            warn(entry.name, failure.what());
            return;
        }
        written.insert(entry.name);
        if (options_.verbose) {
            progress.clear();
            std::printf("%s\n", path.string().c_str());
        }
    }

    std::vector<uint8_t> bytesOf(const Entry& entry) const {
        if (archive_.kind == FileType::Pak) {
            const Bytes bytes = loadBytes({options_.archive, entry.libraryName});
            return std::vector<uint8_t>(bytes.data(), bytes.data() + bytes.size());
        }
        const uint8_t* start = archive_.wadBytes.data() + entry.position;
        return std::vector<uint8_t>(start, start + entry.length);
    }

    void warn(const std::string& name, const std::string& message) {
        ++problems_;
        std::fflush(stdout);
        std::fprintf(stderr, "vexalkit: warning: %s: %s\n", name.c_str(), message.c_str());
    }

    const ExtractOptions& options_;
    const OpenedArchive& archive_;
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
    command->footer("Entries whose names would lead outside DIR (absolute, with a drive, or "
                    "with a .. part) are skipped with a warning.");
    command->callback([options] {
        const auto archive = openArchive(options->archive, options->pak);
        Extractor(*options, *archive).run();
    });
}

} // namespace vexl::cli
