#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan), replays the seed corpus
# and every kept crashing input, then fuzzes.
#
# Usage: scripts/fuzz.sh --short [T...]         targets T (default all), FUZZ_SECONDS (20) each
#        scripts/fuzz.sh --long MINUTES [T...]  the same for MINUTES each, inputs up to 1 MiB
#        scripts/fuzz.sh --replay               build and replay only
# Logs are kept in build-fuzz/logs, the growing corpus in build-fuzz/corpus.
# A crash leaves its input in build-fuzz/artifacts/<target>/; keep it under
# fuzz/regressions/<target>/ once the library is fixed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

mode=${1:---short}
[ $# -gt 0 ] && shift
minutes=30
if [ "$mode" = "--long" ]; then
    minutes=${1:?minutes expected}
    shift
fi
requested=("$@")

scripts/deps.sh clang libclang-rt-14-dev
build=build-fuzz
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEXL_WERROR=ON -DVEXL_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build" -j2 --target vexl_fuzzers
ctest --test-dir "$build" -R '^fuzz_' --output-on-failure

[ "$mode" = "--replay" ] && exit 0

targets=()
for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    if [ ${#requested[@]} -eq 0 ] || [[ " ${requested[*]} " == *" $name "* ]]; then
        targets+=("$name")
    fi
done

limits=(-rss_limit_mb=512 -malloc_limit_mb=256 -dict=fuzz/vexalkit.dict -print_final_stats=1)
case "$mode" in
--short)
    # A fixed seed keeps the test command repeatable; FUZZ_SEED overrides it.
    options=(-max_total_time="${FUZZ_SECONDS:-20}" -seed="${FUZZ_SEED:-1}" -max_len=65536
        -timeout=10)
    ;;
--long)
    options=(-max_total_time=$((minutes * 60)) -max_len=1048576 -timeout=30)
    ;;
*)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac

mkdir -p "$build/logs"
failed=()
for name in "${targets[@]}"; do
    corpus=$build/corpus/$name
    artifacts=$build/artifacts/$name/
    mkdir -p "$corpus" "$artifacts"
    log=$build/logs/$name${mode#-}.log
    echo "fuzzing $name ($mode)"
    if ASAN_OPTIONS=detect_leaks=1 nice -n 10 "$build/fuzz/vexl_fuzz_$name" "${limits[@]}" \
        "${options[@]}" -artifact_prefix="$artifacts" "$corpus" "$build/fuzz/seeds/$name" \
        >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$log" | tr '\n' ' '
        echo
    else
        echo "FAILED: $name; log $log, input in $artifacts" >&2
        tail -n 40 "$log" >&2
        failed+=("$name")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets that failed: ${failed[*]}" >&2
    exit 1
fi
echo "all ${#targets[@]} fuzz targets ran clean"
