#!/usr/bin/env bash
# Builds the Debian packages libvexalkit0 (the shared library),
# libvexalkit-dev (headers, CMake package, pkg-config file, development link)
# and vexalkit-tools (the command-line tool).
#
# Usage: scripts/package.sh                       build build-package/ and package it
#        scripts/package.sh BUILD_DIR [OUT_DIR]   package a tree already built
# The .deb files go to OUT_DIR (default BUILD_DIR/packages). build-package/ is
# configured for the prefix /usr, so the library lands in Debian's multiarch
# folder (/usr/lib/x86_64-linux-gnu on x86-64); install the result with
#   sudo apt-get install ./build-package/packages/*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-}
if [ -z "$build" ]; then
    scripts/deps.sh
    build="build-package"
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DVEXL_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" -j2
fi
out=${2:-$build/packages}
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
rm -rf "$out/_CPack_Packages"
ls "$out"/*.deb
