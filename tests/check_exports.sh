#!/usr/bin/env bash
# The shared library exports the entry points listed in the expected file and
# nothing else of its own.
set -euo pipefail
library=$1
expected=$2
export LC_ALL=C
actual=$(nm -D --defined-only "$library" | awk '$2 ~ /^[TWDBR]$/ {print $3}' | c++filt | sort)
unexpected=$(comm -23 <(echo "$actual") <(sort "$expected"))
missing=$(comm -13 <(echo "$actual") <(sort "$expected"))
if [ -n "$unexpected" ]; then
    echo "unexpected exports:"; echo "$unexpected"; exit 1
fi
if [ -n "$missing" ]; then
    echo "missing exports:"; echo "$missing"; exit 1
fi
echo "exports: $(echo "$actual" | wc -l) entry points, as expected"
