#!/usr/bin/env bash
# Builds TOMBRELI and runs the whole test suite: the normal build and the
# build with AddressSanitizer and UndefinedBehaviorSanitizer, the Debian
# package's checks, the fuzz targets for a bounded time, then the Windows
# programs, cross-built and tested under wine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests --windows
export QT_QPA_PLATFORM=offscreen
for preset in default asan; do
    echo "== $preset build" >&2
    scripts/build.sh "$preset"
    ctest --preset "$preset"
done
echo "== the Debian package" >&2
packaging/test-package.sh build/default
echo "== fuzz targets" >&2
tests/fuzz/run.sh
echo "== windows build, tested under wine" >&2
cmake --workflow --preset windows
