// Map source checking on arbitrary text. The parser's console report goes to
// the null device.
#include "fuzz_support.hpp"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* const buffer = data;
    const uint32_t bufferSize = static_cast<uint32_t>(size);
    fuzzing::AllocationBudget budget(size);
    vexlMapLoad(buffer, bufferSize);
    return 0;
}
