#!/usr/bin/env bash
# Runs a Windows program under wine in the prefix given first:
#   wine-run.sh PREFIX [PROGRAM ARGS...]
# Without a program it only gets the prefix ready. The prefix is made on first
# use, and the wine server with its helper processes is started apart from the
# caller's pipes: started by a test, they would keep CTest (or ninja) waiting
# on output that never closes, and every test would wait for the helpers.
set -euo pipefail
export WINEPREFIX="$(realpath -m "$1")"
shift
export WINEDEBUG=-all
# No display is needed; wine must not go looking for one.
unset DISPLAY WAYLAND_DISPLAY

mkdir -p "$(dirname "$WINEPREFIX")"
# The lock is held while the prefix is made and the server started; what is
# started must not inherit it, or the lock would last as long as the server.
(
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        wineboot -i </dev/null >/dev/null 2>&1 9>&-
    fi
    # "-k0" only asks whether a server runs for the prefix. It stays up for a
    # minute after its last program, so a run of tests starts it once.
    if ! wineserver -k0 2>/dev/null; then
        setsid -w sh -c 'wineserver -p60; wine cmd /c exit' </dev/null >/dev/null 2>&1 9>&-
    fi
) 9>"$WINEPREFIX.lock"

[[ $# -eq 0 ]] && exit 0
# Now and then, on a fresh machine, wine gives up on starting a program,
# within a tenth of a second and without a word; the Windows test preset runs
# a failed test again for that. Say how it ended, so that such a failure can
# be told from a program's own (which exits with 0, 1 or 2).
status=0
if [[ " $* " == *" --gtest_list_tests "* ]]; then
    # Listing a program's tests changes nothing, so a failed listing (which
    # would fail the build) is tried again, and only a whole one is passed on.
    listing=$(mktemp)
    trap 'rm -f "$listing"' EXIT
    for _ in 1 2 3; do
        status=0
        wine "$@" >"$listing" || status=$?
        ((status == 0)) && break
    done
    cat "$listing"
else
    wine "$@" || status=$?
fi
if ((status > 2)); then
    echo "wine-run.sh: $1 ended with status $status" >&2
fi
exit "$status"
