#!/usr/bin/env bash
# Every test: builds with warnings as errors and runs the whole suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXL_WERROR=ON >/dev/null
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2
scripts/sanitize.sh
scripts/fuzz.sh --short
