#!/usr/bin/env bash
# Every test: builds with warnings as errors and runs the whole suite, then
# does the same for the Windows DLLs under wine (scripts/windows.sh; set
# VEXL_SKIP_WINDOWS=1 to leave them out).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXL_WERROR=ON >/dev/null
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2
if [ "${VEXL_SKIP_WINDOWS:-0}" != 1 ]; then
    scripts/windows.sh
fi
