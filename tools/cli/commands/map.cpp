// map: runs the map source checker and prints its report.
#include "vexalkit/map.hpp"
#include "commands/commands.hpp"
#include "commands/options.hpp"
#include "sources/inputs.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

struct MapOptions {
    std::string file;
    std::string pak;
};

void runMap(const MapOptions& options) {
    const Source source = sourceOf(options.file, options.pak);
    const Bytes bytes = loadBytes(source);
    // The checker writes its report to standard output itself.
    std::fflush(stdout);
    const int32_t status = vexalkit::checkMapPrinting(bytes);
    std::fflush(stdout);
    vexalkit::check(status, source.describe());
}

void describeMap(CLI::App& command, MapOptions& options) {
    command.add_option("FILE", options.file, "the map source")->required();
    command.add_option("--pak", options.pak, "read FILE from this PAK archive")
        ->type_name("ARCHIVE");
}

} // namespace

void addMapCommand(CLI::App& app, const CommandText& text) {
    addCommand(app, text, describeMap, runMap);
}

} // namespace vexl::cli
