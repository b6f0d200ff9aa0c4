// export: every entry of a PAK or WAD2 archive (and of every WAD2 inside a
// PAK) in its viewable form under a folder, converted on every core.
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "convert/conversion.hpp"
#include "output/messages.hpp"
#include "output/output_tree.hpp"
#include "output/progress.hpp"
#include "sources/archive.hpp"
#include "sources/colors.hpp"

#include <CLI/CLI.hpp>

#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace vexl::cli {
namespace {

struct ExportOptions {
    ArchiveArguments where;
    std::string paletteFile;
    unsigned jobs = 0;
    bool allMips = false;
};

class Exporter {
  public:
    Exporter(const ExportOptions& options, const Archive& archive)
        : options_(options), archive_(archive) {
        palette_ = archivePalette(options_.paletteFile, archive_);
        if (palette_) {
            settings_.palette = &*palette_;
        }
        settings_.allMips = options_.allMips;
        settings_.nameRules = options_.where.rules();
    }

    void run() {
        const std::vector<ArchiveEntry>& entries = archive_.entries();
        const std::string folder = options_.where.outputDir.empty() ? baseName(archive_.shownName())
                                                                    : options_.where.outputDir;
        OutputTree tree(folder, settings_.nameRules);
        tree.protect(options_.where.archive);
        tree.protect(options_.where.pak);
        tree.protect(options_.paletteFile);
        {
            Progress progress("exporting", entries.size());
            runAll(entries, tree, progress);
        }
        if (failure_) {
            tree.discard();
            throw Failure(*failure_ + "; nothing was exported");
        }
        tree.commit();
        printSummary(entries.size(), tree.stagedCount(), folder);
        problems_.throwIfAny(archive_.shownName(), "entry", "entries", " could not be converted");
    }

  private:
    // One entry in its viewable form, on any thread.
    Conversion convert(const ArchiveEntry& entry) const {
        if (std::optional<std::string> reason = Archive::refusal(entry, settings_.nameRules)) {
            throw Failure(*reason);
        }
        const std::vector<uint8_t> bytes = archive_.read(entry);
        const bool inWad = entry.wad != nullptr;
        return convertFile(
            {entry.name, inWad ? entry.name : stemOf(entry.name), entry.name, bytes, entry.wad},
            settings_);
    }

    void runAll(const std::vector<ArchiveEntry>& entries, OutputTree& tree, Progress& progress) {
        std::atomic<size_t> next{0};
        std::mutex lock;
        const auto work = [&] {
            for (size_t i = next++; i < entries.size(); i = next++) {
                Conversion conversion;
                std::optional<std::string> problem;
                try {
                    conversion = convert(entries[i]);
                } catch (const std::exception& error) {
                    // Library messages may quote a name's raw bytes.
                    problem = escapeForTerminal(error.what());
                }
                const std::lock_guard<std::mutex> guard(lock);
                if (failure_) {
                    return;
                }
                if (problem) {
                    conversion.problems.push_back(escapeForTerminal(entries[i].name) + ": " +
                                                  *problem);
                }
                keep(conversion, tree);
                report(conversion.problems, progress);
                progress.step();
            }
        };
        const unsigned threads = std::max(1U, std::min<unsigned>(threadCount(), entries.size()));
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
        for (const OutputFile& file : conversion.files) {
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
        for (const std::string& problem : problems) {
            problems_.say(problem);
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
    const Archive& archive_;
    std::optional<Palette> palette_;
    ConversionSettings settings_;
    std::map<std::string, size_t> kinds_;
    std::optional<std::string> failure_;
    Problems problems_;
};

void runExport(const ExportOptions& options) {
    const Archive archive = Archive::open(options.where.archive, options.where.pak);
    Exporter(options, archive).run();
}

void describeExport(CLI::App& command, ExportOptions& options) {
    addArchiveArguments(command, options.where, "folder to write under (default: ARCHIVE's name)");
    command
        .add_option("--palette", options.paletteFile,
                    "palette file (default: gfx/palette.lmp of the PAK, or the WAD2's palette)")
        ->type_name("FILE");
    command.add_option("-j,--jobs", options.jobs, "convert on N threads (default: every core)")
        ->type_name("N")
        ->check(wholeNumberBetween("--jobs", 1, 256));
    command.add_flag("--mips", options.allMips,
                     "write every mip level of a texture (NAME_mip1.png ...), not just the first");
}

} // namespace

void addExportCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describeExport, runExport);
}

} // namespace vexl::cli
