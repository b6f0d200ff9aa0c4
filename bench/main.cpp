// The cases register themselves (see Registrar); this only runs them.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
