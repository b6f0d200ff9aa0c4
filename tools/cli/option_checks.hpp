// Checks of option values that say in plain words what is allowed.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
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

} // namespace vexl::cli
