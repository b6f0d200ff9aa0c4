#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/), runs them and prints the
# table of throughputs and ratios. Extra arguments go to the benchmark binary,
# e.g. scripts/bench.sh --benchmark_filter='model|sprite'.
# The JSON of the run is kept in build-bench/bench.json, its console output
# in build-bench/bench.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh libbenchmark-dev python3
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVEXL_BUILD_BENCH=ON \
    -DVEXL_BUILD_TESTS=OFF -DVEXL_BUILD_TOOLS=OFF >/dev/null
cmake --build build-bench -j2 --target vexalkit_bench >/dev/null
# Repetitions run interleaved in random order, so a burst of other work on
# the machine hits the library and its baselines alike; report.py keeps the
# fastest repetition of each.
build-bench/bench/vexalkit_bench --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_enable_random_interleaving=true \
    --benchmark_out=build-bench/bench.json --benchmark_out_format=json "$@" >build-bench/bench.log 2>&1 ||
    { cat build-bench/bench.log; exit 1; }
echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
python3 bench/report.py build-bench/bench.json
