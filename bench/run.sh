#!/usr/bin/env bash
# Builds the benchmarks and runs them on folders of 10,000, 100,000 and
# 1,000,000 empty files (the largest also with more Japanese names) made in a
# temporary place (kept between runs in
# $TOMBRELI_BENCH_DIR when it is set, removed otherwise), then times
# tombreli-compare beside the tools a user would use instead, and the window.
#
#   bench/run.sh [--quick]     --quick: skip the folders of a million files
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --bench
scripts/build.sh bench

sizes=(10000 100000 1000000)
[[ "${1:-}" == "--quick" ]] && sizes=(10000 100000)

dir="${TOMBRELI_BENCH_DIR:-}"
if [[ -z "$dir" ]]; then
    dir=$(mktemp -d "${TMPDIR:-/tmp}/tombreli-bench-XXXXXX")
    trap 'rm -rf "$dir"' EXIT
fi
# The largest size also in the mix with more Japanese and shorter Latin names.
largest="$dir/${sizes[-1]}"
folders=()
for size in "${sizes[@]}"; do
    folders+=("$size:latin:$dir/$size")
done
folders+=("${sizes[-1]}:japanese:$largest-japanese")
for entry in "${folders[@]}"; do
    IFS=: read -r size mix folder <<<"$entry"
    if [[ ! -f "$folder/done" ]]; then
        echo "making two folders of $size files ($mix names) in $folder ..." >&2
        rm -rf "${folder:?}"
        python3 bench/make_folders.py "$folder" "$size" "$mix"
        touch "$folder/done"
    fi
done

echo "== core benchmarks"
TOMBRELI_BENCH_FOLDERS="$dir" build/bench/bench/tombreli_core_bench \
    --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

for mix in latin japanese; do
    folder="$largest"
    [[ "$mix" == latin ]] || folder="$largest-$mix"
    echo "== tombreli-compare beside other tools, ${sizes[-1]} files a folder, $mix names"
    python3 bench/compare_tools.py build/bench/compare/tombreli-compare "$folder/a" "$folder/b" 5
done

if [[ -x build/bench/bench/tombreli_window_timings ]]; then
    echo "== the window, ${sizes[-1]} files a folder (offscreen)"
    QT_QPA_PLATFORM=offscreen build/bench/bench/tombreli_window_timings "$largest/a" "$largest/b"
fi

# TOMBRELI_BASELINE=REV: the window's timings of that revision too, on the same folders.
if [[ -n "${TOMBRELI_BASELINE:-}" ]]; then
    echo "== the window at ${TOMBRELI_BASELINE}, the same folders (offscreen)"
    bench/window_baseline.sh "$TOMBRELI_BASELINE" "$largest/a" "$largest/b"
fi
