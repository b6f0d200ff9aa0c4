#include "output/writing.hpp"

#include "host/files.hpp"
#include "host/paths.hpp"
#include "output/output_tree.hpp"

#include <filesystem>

namespace vexl::cli {

OutputPlace outputPlace(const std::string& option, const std::string& defaultName) {
    if (option.empty()) {
        return {".", defaultName};
    }
    const std::filesystem::path path = host::toPath(option);
    if (!path.has_filename() || host::statusOf(option).kind == host::EntryKind::Folder) {
        return {option, defaultName};
    }
    return {path.has_parent_path() ? host::fromPath(path.parent_path()) : std::string("."),
            host::fromPath(path.filename())};
}

std::vector<std::string> writeFiles(const std::string& folder, NameRules rules,
                                    const std::vector<std::string>& inputs,
                                    const std::vector<OutputFile>& files) {
    OutputTree tree(folder, rules);
    for (const std::string& input : inputs) {
        tree.protect(input);
    }
    std::vector<std::string> shown;
    for (const OutputFile& file : files) {
        const std::vector<std::string> parts = splitParts(file.name);
        try {
            tree.stage(parts, file.bytes);
        } catch (const Failure& failure) {
            throw Failure(std::string(failure.what()) +
                          (files.size() > 1 ? "; none of the files was written" : ""));
        }
        shown.push_back(tree.shown(parts));
    }
    tree.commit();
    return shown;
}

} // namespace vexl::cli
