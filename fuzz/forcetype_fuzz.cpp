// Extension forcing on arbitrary text: the input up to its first '|' is the
// file name, the rest the extension list.
#include "fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzzing::asText(data, size);
    const size_t split = input.find('|');
    const std::string_view name = input.substr(0, split);
    const std::string_view list =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    vexalkit::HeapString fileName(name);
    vexalkit::HeapString extensions(list);
    fuzzing::AllocationBudget budget(size);
    vexlForceType(fileName.get(), extensions.get());
    return 0;
}
