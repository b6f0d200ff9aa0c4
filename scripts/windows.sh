#!/usr/bin/env bash
# The Windows DLLs and tool: builds vexalkit.dll and vexalkit.exe for 32-bit
# x86 and for x86-64 with mingw-w64 (build-win32/, build-win64/), runs the
# test suite of each under wine, and runs each vexalkit.exe against the Linux
# tool (tests/windows/tool_parity.py; the Linux tool comes from build-test/,
# or VEXL_LINUX_BUILD, and is built there when missing). Installs the Debian
# packages it needs that the machine lacks.
#
# A host whose kernel runs no 32-bit x86 code cannot start the 32-bit wine
# loader: there the 32-bit DLL and its tests are still built and the DLL's
# exports and imports checked, and the tests that would run it report
# themselves skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# A 93-byte 32-bit x86 Linux program that exits with status 0.
host_runs_32bit_code() {
    local probe status
    probe=$(mktemp)
    {
        printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
        printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'
        printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'
        printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'
        printf '\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000'
        printf '\270\001\000\000\000\061\333\315\200'
    } >"$probe"
    chmod +x "$probe"
    status=0
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 0 ]
}

seconds() { date +%s; }
started=$(seconds)

packages=(mingw-w64 wine wine64 googletest libz-mingw-w64-dev python3)
if host_runs_32bit_code; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        sudo_cmd=""
        [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
        $sudo_cmd dpkg --add-architecture i386
    fi
    packages+=(wine32:i386)
else
    echo "note: this host runs no 32-bit x86 code, so the 32-bit tests cannot run under wine;"
    echo "      the 32-bit DLL and tests are built and its exports checked all the same"
fi
scripts/deps.sh "${packages[@]}"
echo "windows: packages ready after $(($(seconds) - started))s"

export WINEPREFIX=${WINEPREFIX:-$root/build-wine/prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    step=$(seconds)
    mkdir -p "$(dirname "$WINEPREFIX")"
    /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
    echo "windows: wine prefix created in $(($(seconds) - step))s"
fi

for bits in 32 64; do
    step=$(seconds)
    # -O2 as the Linux test build; no debug information, which only slows
    # the linking of the statically linked programs.
    cmake -S . -B "build-win$bits" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw$bits.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
        -DVEXL_WERROR=ON >/dev/null
    cmake --build "build-win$bits" -j2
    echo "windows: $bits-bit build took $(($(seconds) - step))s"
    step=$(seconds)
    ctest --test-dir "build-win$bits" --output-on-failure
    echo "windows: $bits-bit tests took $(($(seconds) - step))s"
done

linux=${VEXL_LINUX_BUILD:-build-test}
if [ ! -x "$linux/tools/vexalkit" ] || [ ! -x "$linux/tools/sample/vexalkit-sample" ]; then
    cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$linux" -j2 --target vexalkit-cli vexalkit-sample
fi
for bits in 64 32; do
    step=$(seconds)
    status=0
    /usr/bin/python3 tests/windows/tool_parity.py "$linux/tools/vexalkit" \
        "$linux/tools/sample/vexalkit-sample" "build-win$bits/bin/vexalkit.exe" "$bits" || status=$?
    if [ "$status" -eq 77 ]; then
        echo "windows: the $bits-bit tool's comparison with the Linux tool was skipped"
    elif [ "$status" -ne 0 ]; then
        exit "$status"
    fi
    echo "windows: $bits-bit tool against the Linux tool took $(($(seconds) - step))s"
done
echo "windows: done in $(($(seconds) - started))s"
