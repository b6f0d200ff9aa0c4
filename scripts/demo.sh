#!/usr/bin/env bash
# The main job: build the library and its tools, write the project's own
# sample archive, and show what the library reads from it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVEXL_BUILD_TESTS=OFF >/dev/null
cmake --build build -j2 >/dev/null
mkdir -p out
build/tools/vexalkit-sample out/sample.pak
build/tools/vexalkit-list out/sample.pak
