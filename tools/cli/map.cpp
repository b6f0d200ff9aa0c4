// map: runs the map source checker and prints its report.
#include "commands.hpp"
#include "inputs.hpp"
#include "library.hpp"

#include "vexalkit/map.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace vexl::cli {
namespace {

struct MapOptions {
    std::string file;
    std::string pak;
};

void runMap(const MapOptions& options) {
    const Source source{options.pak, options.pak.empty()
                                         ? options.file
                                         : entryNameInPak(options.pak, options.file)};
    const Bytes bytes = loadBytes(source);
    // The checker writes its report to standard output itself.
    std::fflush(stdout);
    const int32_t status = vexalkit::checkMapPrinting(bytes);
    std::fflush(stdout);
    vexalkit::check(status, source.describe());
}

} // namespace

void addMapCommand(CLI::App& app) {
    auto options = std::make_shared<MapOptions>();
    CLI::App* command = app.add_subcommand(
        "map", "check a map source's structure and print its entities' keys and counts");
    command->add_option("FILE", options->file, "the map source")->required();
    command->add_option("--pak", options->pak, "read FILE from this PAK archive")
        ->type_name("ARCHIVE");
    command->callback([options] { runMap(*options); });
}

} // namespace vexl::cli
