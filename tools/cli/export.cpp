// export: every entry of a PAK or WAD2 archive (and of every WAD2 inside a
// PAK) in its viewable form under a folder, converted on every core.
#include "archive_file.hpp"
#include "archives.hpp"
#include "commands.hpp"
#include "conversion.hpp"
#include "entry_names.hpp"
#include "naming.hpp"
#include "option_checks.hpp"
#include "output_tree.hpp"
#include "progress.hpp"

#include <CLI/CLI.hpp>

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace vexl::cli {
namespace {

constexpr const char* kArchivePalette = "gfx/palette.lmp";

struct ExportOptions {
    std::string archive;
    std::string pak;
    std::string outputDir;
    std::string paletteFile;
    unsigned jobs = 0;
    bool allMips = false;
    bool windowsNames = false;
};

// One entry to convert: its name, and the conversion, run on any thread.
struct Job {
    std::string name;
    std::function<Conversion()> convert;
};

// The palette's bytes: the file given, else the archive's own.
std::optional<std::vector<uint8_t>>
paletteBytes(const ExportOptions& options, const OpenedArchive& archive, const ArchiveFile* file) {
    if (!options.paletteFile.empty()) {
        const Bytes bytes = loadBytes({"", options.paletteFile});
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    if (archive.kind == FileType::Pak) {
        if (const VEXLPACKENTRY_T* entry = archive.pack.find(kArchivePalette)) {
            return file->read(entry->filePos, entry->fileLen);
        }
        return std::nullopt;
    }
    for (const VEXLWADENTRY_T& entry : archive.wad) {
        if (entry.entryType == wad_type::kPalette &&
            wadEntryInside(entry, archive.wadBytes.size())) {
            const auto bytes = WadDirectory::entryBytes(archive.wadBytes, entry);
            return std::vector<uint8_t>(bytes.begin(), bytes.end());
        }
    }
    return std::nullopt;
}

class Exporter {
  public:
    Exporter(const ExportOptions& options, const OpenedArchive& archive)
        : options_(options), archive_(archive) {
        if (archive_.kind == FileType::Pak) {
            file_ = std::make_unique<ArchiveFile>(options_.archive);
        }
        if (auto bytes = paletteBytes(options_, archive_, file_.get())) {
            paletteBytes_ = std::move(*bytes);
            palette_ = load<Palette>(paletteBytes_, options_.paletteFile.empty()
                                                        ? std::string(kArchivePalette)
                                                        : options_.paletteFile);
            settings_.palette = &palette_;
        }
        settings_.allMips = options_.allMips;
        settings_.nameRules = nameRules(options_.windowsNames);
    }

    void run() {
        const std::vector<Job> jobs = archive_.kind == FileType::Pak ? pakJobs() : wadJobs();
        const std::string folder =
            options_.outputDir.empty() ? baseName(archive_.shownName) : options_.outputDir;
        OutputTree tree(folder, settings_.nameRules);
        tree.protect(options_.archive);
        tree.protect(options_.pak);
        tree.protect(options_.paletteFile);
        {
            Progress progress("exporting", jobs.size());
            runAll(jobs, tree, progress);
        }
        if (failure_) {
            tree.discard();
            throw Failure(*failure_ + "; nothing was exported");
        }
        tree.commit();
        printSummary(jobs.size(), tree.stagedCount(), folder);
        if (problems_ != 0) {
            throw Failure(archive_.shownName + ": " + std::to_string(problems_) +
                          (problems_ == 1 ? " entry" : " entries") + " could not be converted");
        }
    }

  private:
    std::vector<Job> pakJobs() const {
        std::vector<Job> jobs;
        for (const VEXLPACKENTRY_T& entry : archive_.pack) {
            const std::string name = displayName(vexalkit::entryName(entry));
            const bool readable = entry.valid != 0 || entry.fileLen == 0;
            jobs.push_back({name, [this, name, &entry, readable] {
                                if (std::optional<std::string> reason =
                                        unsafeReason(name, settings_.nameRules)) {
                                    throw Failure(*reason);
                                }
                                if (!readable) {
                                    throw Failure("its data lie outside the archive");
                                }
                                const std::vector<uint8_t> bytes =
                                    entry.fileLen == 0 ? std::vector<uint8_t>{}
                                                       : file_->read(entry.filePos, entry.fileLen);
                                return convertFile(name, bytes, settings_);
                            }});
        }
        return jobs;
    }

    std::vector<Job> wadJobs() const {
        std::vector<Job> jobs;
        for (const VEXLWADENTRY_T& entry : archive_.wad) {
            const std::string name(vexalkit::entryName(entry));
            jobs.push_back({name, [this, name, &entry] {
                                if (name.find('/') != std::string::npos ||
                                    unsafeReason(name, settings_.nameRules)) {
                                    throw Failure("not a name that can be a file");
                                }
                                return convertWadEntry(
                                    name, entry, WadDirectory::entryBytes(archive_.wadBytes, entry),
                                    settings_);
                            }});
        }
        return jobs;
    }

    void runAll(const std::vector<Job>& jobs, OutputTree& tree, Progress& progress) {
        std::atomic<size_t> next{0};
        std::mutex lock;
        const auto work = [&] {
            for (size_t i = next++; i < jobs.size(); i = next++) {
                Conversion conversion;
                std::optional<std::string> problem;
                try {
                    conversion = jobs[i].convert();
                    encodeImages(conversion);
                } catch (const std::exception& error) {
                    // Library messages may quote a name's raw bytes.
                    problem = escapeForTerminal(error.what());
                }
                const std::lock_guard<std::mutex> guard(lock);
                if (failure_) {
                    return;
                }
                if (problem) {
                    conversion.problems.push_back(escapeForTerminal(jobs[i].name) + ": " +
                                                  *problem);
                }
                keep(conversion, tree);
                report(conversion.problems, progress);
                progress.step();
            }
        };
        const unsigned threads = std::max(1U, std::min<unsigned>(threadCount(), jobs.size()));
        std::vector<std::thread> workers;
        for (unsigned i = 1; i < threads; ++i) {
            workers.emplace_back(work);
        }
        work();
        for (std::thread& worker : workers) {
            worker.join();
        }
    }

    unsigned threadCount() const {
        if (options_.jobs != 0) {
            return options_.jobs;
        }
        return std::max(1U, std::thread::hardware_concurrency());
    }

    // Stages the outputs; a refused one is a problem, a failed write ends
    // the export.
    void keep(Conversion& conversion, OutputTree& tree) {
        for (const Converted& file : conversion.files) {
            try {
                tree.stage(splitParts(file.name), file.bytes);
            } catch (const RefusedOutput& refused) {
                conversion.problems.push_back(escapeForTerminal(file.name) + ": " + refused.what());
            } catch (const std::exception& error) {
                failure_ = error.what();
                return;
            }
        }
        if (!conversion.kind.empty()) {
            ++kinds_[conversion.kind];
        }
    }

    void report(const std::vector<std::string>& problems, Progress& progress) {
        if (problems.empty()) {
            return;
        }
        progress.clear();
        std::fflush(stdout);
        for (const std::string& problem : problems) {
            ++problems_;
            std::fprintf(stderr, "vexalkit: %s\n", problem.c_str());
        }
    }

    void printSummary(size_t entries, size_t files, const std::string& folder) const {
        std::string kinds;
        for (const auto& [kind, count] : kinds_) {
            kinds += kinds.empty() ? "" : ", ";
            kinds += kind + ": " + std::to_string(count);
        }
        std::printf("exported %zu entries as %zu files to %s (%s)\n", entries, files,
                    escapeForTerminal(folder).c_str(), kinds.c_str());
    }

    const ExportOptions& options_;
    const OpenedArchive& archive_;
    std::unique_ptr<ArchiveFile> file_;
    std::vector<uint8_t> paletteBytes_;
    Palette palette_;
    ConversionSettings settings_;
    std::map<std::string, size_t> kinds_;
    std::optional<std::string> failure_;
    size_t problems_ = 0;
};

} // namespace

void addExportCommand(CLI::App& app) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* command = app.add_subcommand(
        "export", "write every entry of a PAK or WAD2 archive in a viewable form under a folder");
    command->add_option("ARCHIVE", options->archive, "the archive (a PAK is read as NAME.pak)")
        ->required();
    command
        ->add_option("-o,--output", options->outputDir,
                     "folder to write under (default: ARCHIVE's name)")
        ->type_name("DIR");
    command->add_option("--pak", options->pak, "read a WAD2 ARCHIVE from inside this PAK")
        ->type_name("PAK");
    command
        ->add_option("--palette", options->paletteFile,
                     "palette file (default: gfx/palette.lmp of the PAK, or the WAD2's palette)")
        ->type_name("FILE");
    command->add_option("-j,--jobs", options->jobs, "convert on N threads (default: every core)")
        ->type_name("N")
        ->check(wholeNumberBetween("--jobs", 1, 256));
    command->add_flag("--mips", options->allMips,
                      "write every mip level of a texture (NAME_mip1.png ...), not just the first");
    addWindowsNamesOption(*command, options->windowsNames);
    command->footer(
        "Pictures, sprites (NAME_0.png ...), palettes (a 16 x 16 swatch), colormaps (a row "
        "per colormap row) and WAD2 pictures and textures become PNG; models become NAME.glb "
        "and NAME_skin*.png; a WAD2 inside a PAK becomes a folder of its entries; anything else "
        "keeps its bytes. Entries that cannot be converted are named, one line each, and the "
        "exit code is 1; the rest is written.");
    command->callback([options] {
        const auto archive = openArchive(options->archive, options->pak);
        Exporter(*options, *archive).run();
    });
}

} // namespace vexl::cli
