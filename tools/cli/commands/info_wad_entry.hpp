// What a WAD2 entry is, for info.
#pragma once

#include "sources/inputs.hpp"

#include <nlohmann/json.hpp>

namespace vexl::cli {

// The entry's type, sizes and, for pictures and textures, their sides.
nlohmann::json describeWadEntry(const std::string& name, const InputAddress& address,
                                const InputFile& input);

void printWadEntry(const nlohmann::json& summary);

} // namespace vexl::cli
