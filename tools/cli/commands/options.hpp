// The options several commands share, and checks of option values that say
// in plain words what is allowed.
#pragma once

#include "commands/commands.hpp"
#include "output/entry_names.hpp"
#include "sources/colors.hpp"
#include "sources/inputs.hpp"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <string>

namespace vexl::cli {

// A whole number from `lowest` to `highest` (INT32_MAX or more: no upper limit
// worth naming);
// the message names the option and its limits.
inline CLI::Validator wholeNumberBetween(const std::string& option, int64_t lowest,
                                         int64_t highest) {
    const std::string rule =
        option + (highest >= INT32_MAX ? " must be " + std::to_string(lowest) + " or more"
                                       : " must be between " + std::to_string(lowest) + " and " +
                                             std::to_string(highest));
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            int64_t value = 0;
            if (!CLI::detail::lexical_cast(text, value) || value < lowest || value > highest) {
                return rule + ", not " + text;
            }
            return {};
        },
        std::to_string(lowest) + "-" + std::to_string(highest));
}

// --windows-names, on every command that writes files: Windows' name rules
// for what is written here, to be copied to Windows later.
inline void addWindowsNamesOption(CLI::App& command, bool& asked) {
    command.add_flag("--windows-names", asked,
                     "also refuse names Windows cannot hold (devices such as CON or NUL.txt, "
                     ": * ? and other reserved characters, trailing dots and spaces) and names "
                     "differing only in ASCII letter case; always so on Windows");
}

// Adds the subcommand: `describe` adds its options, and `run` runs it with
// them.
template <typename Options>
void addCommand(CLI::App& app, const CommandText& text, void (*describe)(CLI::App&, Options&),
                void (*run)(const Options&)) {
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(text.name, text.summary);
    describe(*command, *options);
    if (!text.footer.empty()) {
        command->footer(text.footer);
    }
    command->callback([options, run] { run(*options); });
}

// --palette, --colormap, --row and --transparent.
void addColorOptions(CLI::App& command, ColorOptions& options);

// --pak and --wad: where the named files are read from.
void addAddressOptions(CLI::App& command, InputAddress& address);

// What extract and export are given: the archive, where it lies, where to
// write, and by which name rules.
struct ArchiveArguments {
    std::string archive;
    std::string pak;
    std::string outputDir;
    bool windowsNames = false;

    NameRules rules() const { return nameRules(windowsNames); }
};

// ARCHIVE, --pak, -o DIR (described by `outputHelp`) and --windows-names.
void addArchiveArguments(CLI::App& command, ArchiveArguments& arguments,
                         const std::string& outputHelp);

} // namespace vexl::cli
