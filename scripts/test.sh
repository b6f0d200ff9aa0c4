#!/usr/bin/env bash
# Every test: builds with warnings as errors and runs the whole suite, installs
# that build and uses it as a user would (scripts/install_check.sh), builds
# the Python module in the same tree and runs its pytest suite (scripts/python.sh), runs the
# suite again under the address and undefined-behaviour sanitizers, replays
# the fuzz corpus and fuzzes every target briefly, then builds the Windows
# DLLs and runs the suite under wine (set VEXL_SKIP_WINDOWS=1 to leave that
# out).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DVEXL_WERROR=ON >/dev/null
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2
echo "test: Linux build and suite after ${SECONDS}s"
scripts/install_check.sh build-test
echo "test: install, consumers and packages after ${SECONDS}s"
scripts/python.sh build-test
echo "test: Python module after ${SECONDS}s"
scripts/sanitize.sh
echo "test: sanitizer suite after ${SECONDS}s"
scripts/fuzz.sh --short
echo "test: fuzz replay and short runs after ${SECONDS}s"
if [ "${VEXL_SKIP_WINDOWS:-0}" != 1 ]; then
    scripts/windows.sh
fi
echo "test: everything passed in ${SECONDS}s"
