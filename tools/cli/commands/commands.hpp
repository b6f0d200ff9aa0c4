// The tool's subcommands: each file adds one to the application with the
// text --help shows of it, and main adds them all from one table.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace vexl::cli {

// What --help says of a subcommand: its name, one line, and a closing note.
struct CommandText {
    std::string name;
    std::string summary;
    std::string footer;
};

void addLsCommand(CLI::App& app, const CommandText& text);
void addInfoCommand(CLI::App& app, const CommandText& text);
void addExtractCommand(CLI::App& app, const CommandText& text);
void addPngCommand(CLI::App& app, const CommandText& text);
void addGltfCommand(CLI::App& app, const CommandText& text);
void addMapCommand(CLI::App& app, const CommandText& text);
void addPackCommand(CLI::App& app, const CommandText& text);
void addExportCommand(CLI::App& app, const CommandText& text);
void addWadCommand(CLI::App& app, const CommandText& text);

struct Command {
    void (*add)(CLI::App& app, const CommandText& text);
    CommandText text;
};

// Every subcommand, in the order --help lists them.
extern const Command kCommands[9];

} // namespace vexl::cli
