#!/bin/sh
# Runs a Windows program under wine: wine-run.sh 32|64 PROGRAM [ARGS...].
# The 64-bit loader runs x86-64 programs; 32-bit x86 programs need the 32-bit
# loader, which only starts where the host kernel runs 32-bit code. Where it
# cannot, the program is not run and the exit status is 77 (ctest: skipped).
# Standard input is /dev/null; the prefix is created on first use.
set -eu
bits=$1
shift
case "$bits" in
32)
    loader=${VEXL_WINE32:-/usr/lib/wine/wine}
    if [ ! -x "$loader" ] || ! "$loader" --version >/dev/null 2>&1; then
        echo "SKIPPED: the 32-bit wine loader ($loader) is missing or cannot start;" \
            "a host whose kernel runs no 32-bit x86 code cannot start it" >&2
        exit 77
    fi
    ;;
64)
    loader=${VEXL_WINE64:-/usr/lib/wine/wine64}
    [ -x "$loader" ] || loader=$(command -v wine64 || command -v wine || true)
    if [ -z "$loader" ]; then
        echo "wine-run.sh: wine is not installed (scripts/windows.sh installs it)" >&2
        exit 1
    fi
    ;;
*)
    echo "wine-run.sh: first argument must be 32 or 64" >&2
    exit 2
    ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
prefix=${WINEPREFIX:-$HOME/.wine}
if [ ! -f "$prefix/system.reg" ]; then
    # Parallel tests may arrive here together: one of them creates the prefix.
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        [ -f "$prefix/system.reg" ] || WINEPREFIX=$prefix "$loader" wineboot -i >/dev/null 2>&1 || true
    ) 9>"$prefix.lock"
fi
export WINEPREFIX=$prefix
exec "$loader" "$@" </dev/null
