#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build/fuzz and runs each from its seed corpus
# for a bounded time: TOMBRELI_FUZZ_SECONDS each (default 12, so under a minute
# for all four). Fails on any crash, leak, undefined behaviour or broken rule;
# the input that did it is kept in build/fuzz/crashes/. Installs nothing: it
# needs the Debian packages clang and libclang-rt-14-dev.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${TOMBRELI_FUZZ_SECONDS:-12}"
build=build/fuzz

for tool in clang++ cmake ninja; do
    if ! command -v "$tool" >/dev/null; then
        echo "tests/fuzz/run.sh: $tool is missing (Debian: clang libclang-rt-14-dev cmake ninja-build)" >&2
        exit 1
    fi
done

cmake -S . -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOMBRELI_BUILD_FUZZERS=ON \
    -DTOMBRELI_BUILD_GUI=OFF \
    -DTOMBRELI_BUILD_TESTS=OFF \
    -DTOMBRELI_WERROR=ON >/dev/null
targets=(PathSyntaxFuzzer ShowFolderFuzzer DisplayNameFuzzer CompareFileNamesFuzzer)
cmake --build "$build" -j2 --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/crashes"
failed=()
for target in "${targets[@]}"; do
    # New inputs go to build/fuzz/corpus; the seeds in the repository stay as they are.
    found="$build/corpus/$target"
    mkdir -p "$found"
    log="$build/$target.log"
    echo "== $target, ${seconds}s" >&2
    if "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
        "$found" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "   ${runs:-?} inputs run, nothing found" >&2
    else
        failed+=("$target")
        grep -E 'ERROR|rule broken|runtime error|Test unit written' "$log" | head -n 20 >&2 || true
        echo "   FAILED: see $log" >&2
    fi
done
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "tests/fuzz/run.sh: ${failed[*]} found faults" >&2
    exit 1
fi
