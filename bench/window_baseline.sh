#!/usr/bin/env bash
# Builds tombreli_window_timings as it was at git revision REV, in a worktree
# under build/, and runs it on FOLDER1 and FOLDER2, so that the window's
# figures of a change can be read beside those of the revision before it,
# measured in the same run. The peak resident memory is measured from
# outside, as a revision's own timings may not report it.
#
#   bench/window_baseline.sh REV FOLDER1 FOLDER2
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $# -ne 3 ]]; then
    echo "usage: $0 REV FOLDER1 FOLDER2" >&2
    exit 2
fi
rev=$(git rev-parse --verify "$1^{commit}")
src="$PWD/build/baseline-$(git rev-parse --short "$rev")"
git worktree add -q --detach "$src" "$rev"
trap 'git worktree remove --force "$src"' EXIT
echo "building tombreli_window_timings of $(git log -1 --format='%h %s' "$rev") ..." >&2
(cd "$src" && scripts/build.sh bench tombreli_window_timings >/dev/null)
QT_QPA_PLATFORM=offscreen python3 - "$src/build/bench/bench/tombreli_window_timings" "$2" "$3" <<'PY'
import resource, subprocess, sys
subprocess.run(sys.argv[1:], check=True)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
print(f"  peak resident, measured from outside: {peak:.0f} MiB")
PY
