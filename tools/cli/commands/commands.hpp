// The tool's subcommands: each file adds one to the application, and main
// adds them all from one table.
#pragma once

namespace CLI {
class App;
}

namespace vexl::cli {

void addLsCommand(CLI::App& app);
void addInfoCommand(CLI::App& app);
void addExtractCommand(CLI::App& app);
void addPngCommand(CLI::App& app);
void addGltfCommand(CLI::App& app);
void addMapCommand(CLI::App& app);
void addPackCommand(CLI::App& app);
void addExportCommand(CLI::App& app);
void addWadCommand(CLI::App& app);

// In the order --help lists them.
inline constexpr void (*kCommands[])(CLI::App&) = {
    addLsCommand,  addInfoCommand, addExtractCommand, addPngCommand, addGltfCommand,
    addMapCommand, addPackCommand, addExportCommand,  addWadCommand,
};

} // namespace vexl::cli
