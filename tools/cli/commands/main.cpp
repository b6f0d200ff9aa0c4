// vexalkit: lists, describes, extracts and converts the game's data files.
#include "commands/commands.hpp"
#include "failure.hpp"
#include "host/console.hpp"
#include "output/messages.hpp"
#include "vexalkit.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

// CLI11 puts the option's name before a check's message, which names it
// already: "--row: --row must be ..." becomes "--row must be ...".
std::string plainWords(const std::string& message) {
    const size_t colon = message.find(": ");
    if (colon != std::string::npos && message.compare(colon + 2, colon, message, 0, colon) == 0) {
        return message.substr(colon + 2);
    }
    return message;
}

// The subcommands' names, for the message about one that does not exist.
std::string subcommandList(const CLI::App& app) {
    std::string list;
    for (const CLI::App* command : app.get_subcommands({})) {
        list += list.empty() ? "" : ", ";
        list += command->get_name();
    }
    return list;
}

// CLI11 takes a mistyped subcommand for a stray argument and asks for a
// subcommand; this names the mistake instead. Returns false after saying so.
bool subcommandKnown(const CLI::App& app, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!argument.empty() && argument.front() == '-') {
            continue;
        }
        for (const CLI::App* command : app.get_subcommands({})) {
            if (command->get_name() == argument) {
                return true;
            }
        }
        vexl::cli::sayProblem("unknown subcommand '" + argument +
                              "'; the subcommands are: " + subcommandList(app));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    vexl::cli::host::prepareStandardStreams();
    vexl::cli::host::Arguments arguments(argc, argv);
    argc = arguments.count();
    argv = arguments.values();
    CLI::App app{"List, describe, extract, convert and pack the data files of the game Vexal.",
                 "vexalkit"};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "show the help of every subcommand");
    app.set_version_flag("--version", "vexalkit " VEXALKIT_VERSION_STRING);
    app.failure_message([](const CLI::App*, const CLI::Error& error) {
        return "vexalkit: " + plainWords(error.what()) + " (see --help)\n";
    });
    for (const vexl::cli::Command& command : vexl::cli::kCommands) {
        command.add(app, command.text);
    }
    if (!subcommandKnown(app, argc, argv)) {
        return kUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : kUsage;
    } catch (const vexl::cli::Failure& failure) {
        vexl::cli::sayProblem(failure.what());
        return kFailed;
    } catch (const std::bad_alloc&) {
        vexl::cli::sayProblem("out of memory");
        return kFailed;
    } catch (const std::exception& error) {
        vexl::cli::sayProblem(error.what());
        return kFailed;
    }
    return 0;
}
