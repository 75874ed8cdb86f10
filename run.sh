#!/usr/bin/env bash
# Builds TOMBRELI and starts its window.
set -euo pipefail
cd "$(dirname "$0")"
# Said before anything is installed or built, which takes minutes.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run.sh: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Start it on a desktop, or on a virtual one: xvfb-run -s '-screen 0 1280x1024x24' ./run.sh" >&2
    exit 1
fi
scripts/setup.sh
scripts/build.sh window tombreli tombreli-compare
exec build/window/app/tombreli
