#!/usr/bin/env bash
# A Windows program imports from no DLL but the system's own (KERNEL32,
# msvcrt and SHELL32), so it runs from any folder with nothing beside it.
# Usage: check_exe_imports.sh PROGRAM [OBJDUMP]
set -euo pipefail
program=$1
objdump=${2:-objdump}
imports=$(LC_ALL=C "$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' |
    sort -fu)
foreign=$(echo "$imports" | grep -viE '^(kernel32|msvcrt|shell32)\.dll$' || true)
if [ -n "$foreign" ]; then
    echo "imports from DLLs other than the system's:"
    echo "$foreign"
    exit 1
fi
echo "imports: $(echo "$imports" | tr '\n' ' ')"
