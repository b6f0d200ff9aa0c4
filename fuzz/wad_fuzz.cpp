// WAD2 directory reading on arbitrary bytes, then released (twice: the
// second release must find an empty record).
#include "fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* const buffer = data;
    const uint32_t bufferSize = static_cast<uint32_t>(size);
    VEXLWADINFO_T info{};
    int32_t status = 0;
    {
        fuzzing::AllocationBudget budget(size);
        status = VEXLWADGETINFO(buffer, bufferSize, info);
    }
    if (status == 0) {
        for (uint32_t i = 0; i < info.entryCount; ++i) {
            if (std::memchr(info.entries[i].name, 0, sizeof info.entries[i].name) == nullptr) {
                std::fprintf(stderr, "entry %u has an unterminated name\n", i);
                std::abort();
            }
        }
    }
    VEXLWADKILL(info);
    VEXLWADKILL(info);
    return 0;
}
