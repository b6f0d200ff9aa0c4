// The last steps of every command that writes: where -o puts the output, and
// writing a command's files together with its inputs protected.
#pragma once

#include "output/entry_names.hpp"
#include "output/naming.hpp"

#include <string>
#include <vector>

namespace vexl::cli {

// Where one command's output goes: a folder and a file name inside it.
struct OutputPlace {
    std::string folder;
    std::string name;
};

// The place `-o OUT` names: inside OUT when it is an existing folder or ends
// in a separator (under `defaultName`), else the file OUT; `defaultName` in
// the current folder when OUT is empty.
OutputPlace outputPlace(const std::string& option, const std::string& defaultName);

// Writes `files` under `folder`, all or none, never over one of `inputs`
// (empty names are skipped). Returns each file as shown to the user
// ("FOLDER/NAME"), in order. When one cannot be written the failure says
// that none of them was, if there were several.
std::vector<std::string> writeFiles(const std::string& folder, NameRules rules,
                                    const std::vector<std::string>& inputs,
                                    const std::vector<OutputFile>& files);

} // namespace vexl::cli
