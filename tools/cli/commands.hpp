// The tool's subcommands; each adds itself to the application.
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

} // namespace vexl::cli
