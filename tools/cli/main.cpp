// vexalkit: lists, describes, extracts and converts the game's data files.
#include "commands.hpp"
#include "library.hpp"
#include "vexalkit.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

void report(const char* message) {
    std::fflush(stdout);
    std::fprintf(stderr, "vexalkit: %s\n", message);
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"List, describe, extract and convert the data files of the game Vexal.",
                 "vexalkit"};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "show the help of every subcommand");
    app.set_version_flag("--version", "vexalkit " VEXALKIT_VERSION_STRING);
    app.failure_message([](const CLI::App*, const CLI::Error& error) {
        return "vexalkit: " + std::string(error.what()) + " (see --help)\n";
    });
    vexl::cli::addLsCommand(app);
    vexl::cli::addInfoCommand(app);
    vexl::cli::addExtractCommand(app);
    vexl::cli::addPngCommand(app);
    vexl::cli::addGltfCommand(app);
    vexl::cli::addMapCommand(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : kUsage;
    } catch (const vexl::cli::Failure& failure) {
        report(failure.what());
        return kFailed;
    } catch (const std::bad_alloc&) {
        report("out of memory");
        return kFailed;
    } catch (const std::exception& error) {
        report(error.what());
        return kFailed;
    }
    return 0;
}
