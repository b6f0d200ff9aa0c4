#!/usr/bin/env bash
# Runs every file in the given folders once through a fuzz target, with the
# same resource limits as a fuzzing run. Usage: replay.sh TARGET DIR...
set -euo pipefail
target=$1
shift
inputs=()
for dir in "$@"; do
    [ -d "$dir" ] || continue
    while IFS= read -r -d '' file; do
        inputs+=("$file")
    done < <(find "$dir" -type f ! -name 'README*' -print0 | sort -z)
done
if [ ${#inputs[@]} -eq 0 ]; then
    echo "no inputs for $(basename "$target")"
    exit 0
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
exec "$target" -rss_limit_mb=512 -malloc_limit_mb=256 -timeout=20 "${inputs[@]}"
