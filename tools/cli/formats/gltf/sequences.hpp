// A model's frames seen as animations: every frame group, and every run of
// single frames whose names differ only in a trailing number (run1..run6).
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/counts.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace vexl::cli {

struct Sequence {
    std::string name;
    uint32_t first = 0;
    uint32_t count = 0;
    bool group = false;
};

// Every frame belongs to exactly one sequence; names are made unique.
std::vector<Sequence> frameSequences(const VEXLMODEL_T& model);

} // namespace vexl::cli
