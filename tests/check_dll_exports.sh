#!/usr/bin/env bash
# The DLL exports exactly the entry points of the expected file (C++ names
# demangled) and imports from no DLL but KERNEL32 and msvcrt.
# Usage: check_dll_exports.sh DLL EXPECTED_EXPORTS [OBJDUMP]
set -euo pipefail
library=$1
expected=$2
objdump=${3:-objdump}
export LC_ALL=C
headers=$("$objdump" -p "$library")
# Entries of the export name table read "[   3] name" (ordinal, then name).
exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*\([^[:space:]]*\).*/\1/p' |
    c++filt | sort)
unexpected=$(comm -23 <(echo "$exports") <(sort "$expected"))
missing=$(comm -13 <(echo "$exports") <(sort "$expected"))
status=0
if [ -n "$unexpected" ]; then
    echo "unexpected exports:"; echo "$unexpected"; status=1
fi
if [ -n "$missing" ]; then
    echo "missing exports:"; echo "$missing"; status=1
fi
imports=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | sort -fu)
foreign=$(echo "$imports" | grep -viE '^(kernel32|msvcrt)\.dll$' || true)
if [ -n "$foreign" ]; then
    echo "imports from DLLs other than the system's:"; echo "$foreign"; status=1
fi
if [ "$status" -eq 0 ]; then
    echo "exports: $(echo "$exports" | wc -l) entry points, as expected;" \
        "imports: $(echo "$imports" | tr '\n' ' ')"
fi
exit "$status"
