// File type identification on arbitrary bytes.
#include "fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* const buffer = data;
    const uint32_t bufferSize = static_cast<uint32_t>(size);
    int32_t type = -1;
    fuzzing::AllocationBudget budget(size);
    vexlWhatIs(buffer, bufferSize, type);
    return 0;
}
