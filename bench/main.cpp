// The cases register themselves (see Registrar); this only runs them.
#include <benchmark/benchmark.h>

#include <malloc.h>

int main(int argc, char** argv) {
    // The heap in its steady state, as in a program that keeps loading: a
    // block freed is reused by the next load of the same size, never handed
    // back to the system. Left to itself the allocator switches between
    // fresh pages and reused ones depending on what ran before, and both the
    // library and its baselines would be timed on whichever they got.
    constexpr int kLargestBlock = 32 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestBlock);
    mallopt(M_TRIM_THRESHOLD, 8 * kLargestBlock);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
