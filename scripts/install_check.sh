#!/usr/bin/env bash
# Uses Vexalkit the ways a user would, from a tree already built (default
# build-test/), all in a temporary folder:
#   - installs it under a prefix and checks the files, the library's SONAME
#     and links, and the tool's relative RUNPATH;
#   - moves the prefix elsewhere, then runs the installed tool and builds and
#     runs the consumer project tests/consumer/ against the moved prefix on
#     the build's sample archive, once through find_package and once through
#     pkg-config;
#   - builds the consumer with Vexalkit's source tree as a subproject
#     (add_subdirectory) while no GoogleTest can be found;
#   - configures the tree with the tools off, the tests off, and both off;
#   - builds the Debian packages and checks what each holds.
# Usage: scripts/install_check.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build-test}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seconds() { date +%s; }
started=$(seconds)
step=$started

fail() {
    echo "install check: FAILED: $*" >&2
    exit 1
}
done_step() {
    echo "install check: $1 ($(($(seconds) - step))s)"
    step=$(seconds)
}

# --- install, then check what the prefix holds
cmake --install "$build" --prefix "$work/installed" >/dev/null
version_file=$(find "$work/installed" -name VexalkitConfigVersion.cmake)
[ -n "$version_file" ] || fail "no CMake package version file"
version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$version_file")
[ -n "$version" ] || fail "no version in $version_file"
major=${version%%.*}
# The package's version file: what a find_package(Vexalkit REQUEST) accepts.
cat >"$work/accepts.cmake" <<'SCRIPT'
string(REGEX MATCH "^([0-9]+)" PACKAGE_FIND_VERSION_MAJOR ${PACKAGE_FIND_VERSION})
include(${VERSION_FILE})
message("${PACKAGE_VERSION_COMPATIBLE}")
SCRIPT
accepts() {
    cmake -DVERSION_FILE="$version_file" -DPACKAGE_FIND_VERSION="$1" -P "$work/accepts.cmake" 2>&1
}
[ "$(accepts "$major.0")" = TRUE ] || fail "the package refuses a request for $major.0"
[ "$(accepts "$version")" = TRUE ] || fail "the package refuses a request for $version"
[ "$(accepts "$((major + 1)).0")" = FALSE ] || fail "the package accepts a request for $((major + 1)).0"
[ "$(accepts "$version.1")" = FALSE ] || fail "the package accepts a request for a later version"
library=$(find "$work/installed" -name "libvexalkit.so.$version")
[ -n "$library" ] || fail "libvexalkit.so.$version not installed"
libdir_name=${library#"$work/installed/"}
libdir_name=${libdir_name%/*}
readelf -d "$library" | grep -q "Library soname: \[libvexalkit.so.$major\]" ||
    fail "the SONAME of $library is not libvexalkit.so.$major"
[ "$(readlink "$work/installed/$libdir_name/libvexalkit.so.$major")" = "libvexalkit.so.$version" ] ||
    fail "libvexalkit.so.$major does not link to libvexalkit.so.$version"
[ "$(readlink "$work/installed/$libdir_name/libvexalkit.so")" = "libvexalkit.so.$major" ] ||
    fail "libvexalkit.so does not link to libvexalkit.so.$major"
expected=(bin/vexalkit "$libdir_name/pkgconfig/vexalkit.pc"
    "$libdir_name/cmake/Vexalkit/VexalkitConfig.cmake"
    "$libdir_name/cmake/Vexalkit/VexalkitConfigVersion.cmake"
    "$libdir_name/cmake/Vexalkit/VexalkitTargets.cmake"
    share/doc/vexalkit/README.md share/doc/vexalkit/CHANGELOG.md share/doc/vexalkit/LICENSE)
while IFS= read -r header; do
    expected+=("include/$header")
done < <(cd include && find . -name '*.hpp' -printf '%P\n')
for file in "${expected[@]}"; do
    [ -e "$work/installed/$file" ] || fail "$file not installed"
done
readelf -d "$work/installed/bin/vexalkit" | grep -q "runpath: \[\$ORIGIN/../$libdir_name\]" ||
    fail "the tool's RUNPATH is not \$ORIGIN/../$libdir_name"
done_step "installed $version: SONAME libvexalkit.so.$major, ${#expected[@]} files, tool RUNPATH relative, package version rules"

# --- the installed tree, moved: the tool, then the consumer two ways
mv "$work/installed" "$work/prefix"
prefix=$work/prefix
[ "$("$prefix/bin/vexalkit" --version)" = "vexalkit $version" ] ||
    fail "the moved tool does not report version $version"
sample=$work/sample.pak
"$build/tools/sample/vexalkit-sample" "$sample" >/dev/null
consume=("$sample" progs/creature.mdl)
cmake -S tests/consumer -B "$work/find" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/find" >/dev/null
"$work/find/consumer" "${consume[@]}" >/dev/null || fail "the find_package consumer"
"$prefix/bin/vexalkit" ls "$sample" >/dev/null || fail "the moved tool cannot list the sample archive"
export PKG_CONFIG_PATH=$prefix/$libdir_name/pkgconfig
[ "$(pkg-config --modversion vexalkit)" = "$version" ] || fail "pkg-config's version"
# shellcheck disable=SC2046 # the flags are separate words
c++ -std=c++20 -Wall -Wextra -Werror tests/consumer/consumer.cpp $(pkg-config --cflags vexalkit) \
    $(pkg-config --libs vexalkit) -Wl,-rpath,"$(pkg-config --variable=libdir vexalkit)" \
    -o "$work/pc-consumer"
"$work/pc-consumer" "${consume[@]}" >/dev/null || fail "the pkg-config consumer"
done_step "moved prefix: tool runs, consumer built with find_package and with pkg-config"

# --- the source tree as a subproject, unoptimised to build fast
cmake -S tests/consumer -B "$work/sub" -DVEXALKIT_SOURCE_DIR="$root" \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_CXX_FLAGS=-O0 --no-warn-unused-cli >/dev/null
cmake --build "$work/sub" -j2 >/dev/null
"$work/sub/consumer" "${consume[@]}" >/dev/null || fail "the add_subdirectory consumer"
done_step "consumer built with add_subdirectory, without GoogleTest"

# --- option combinations configure (the subproject build above has both off)
for options in "-DVEXL_BUILD_TOOLS=OFF" "-DVEXL_BUILD_TESTS=OFF" \
    "-DVEXL_BUILD_TOOLS=OFF -DVEXL_BUILD_TESTS=OFF"; do
    # shellcheck disable=SC2086 # the options are separate words
    cmake -S . -B "$work/options" $options -DVEXL_WERROR=ON >/dev/null ||
        fail "configuring with $options"
    rm -rf "$work/options"
done
done_step "configured with tools off, tests off, both off"

# --- Debian packages
scripts/package.sh "$build" "$work/debs" >"$work/package.log" 2>&1 || {
    cat "$work/package.log"
    fail "building the Debian packages"
}
lib="usr/lib(/[^/]+)?"
check_deb() {
    local package=$1
    shift
    local deb listing pattern
    deb=$(ls "$work/debs/${package}_${version}_"*.deb 2>/dev/null) || fail "no $package package"
    listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
    for pattern in "$@" "usr/share/doc/$package/copyright"; do
        grep -Eq "^\./$pattern\$" <<<"$listing" || fail "$package holds no $pattern"
    done
}
check_deb "libvexalkit$major" "$lib/libvexalkit\.so\.$major" "$lib/libvexalkit\.so\.$version"
check_deb libvexalkit-dev usr/include/vexalkit\.hpp "$lib/libvexalkit\.so" \
    "$lib/cmake/Vexalkit/VexalkitConfig\.cmake" "$lib/cmake/Vexalkit/VexalkitConfigVersion\.cmake" \
    "$lib/cmake/Vexalkit/VexalkitTargets\.cmake" "$lib/pkgconfig/vexalkit\.pc"
check_deb vexalkit-tools usr/bin/vexalkit
for package in libvexalkit-dev vexalkit-tools; do
    dpkg-deb -f "$work/debs/${package}_${version}_"*.deb Depends |
        grep -q "libvexalkit$major (= $version)" || fail "$package does not depend on libvexalkit$major"
done
done_step "Debian packages built and their contents checked"
echo "install check: passed in $(($(seconds) - started))s"
