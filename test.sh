#!/usr/bin/env bash
# Builds TOMBRELI and runs the whole test suite, in the normal build and in the
# build with AddressSanitizer and UndefinedBehaviorSanitizer, then cross-builds
# the Windows programs and runs their tests under wine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --windows
export QT_QPA_PLATFORM=offscreen
for preset in default asan; do
    echo "== $preset build" >&2
    scripts/build.sh "$preset"
    ctest --preset "$preset"
done
echo "== windows build, tested under wine" >&2
cmake --workflow --preset windows
