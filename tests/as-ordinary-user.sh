#!/usr/bin/env bash
# Runs a test program as an ordinary user: permissions do not bind root, so
# tests of unreadable folders must not run as root.
#
#   tests/as-ordinary-user.sh [--copy VARIABLE=FILE]... PROGRAM [ARGUMENT...]
#
# Each VARIABLE names its FILE in the program's environment. Run by root, the
# script runs PROGRAM as the user nobody; the build may lie in a folder that
# user cannot enter (a clone under /root, which is mode 700), so PROGRAM and
# each FILE are first copied into a fresh folder that every user may enter, and
# the program makes its temporary folders in a folder of nobody's own there.
# Where that cannot be done, it fails and says why.
set -euo pipefail

fail() {
    echo "as-ordinary-user.sh: $*" >&2
    exit 1
}

copies=()
while [[ $# -gt 0 && $1 == --copy ]]; do
    [[ $# -ge 2 && $2 == *=* ]] || fail "--copy takes VARIABLE=FILE"
    copies+=("$2")
    shift 2
done
[[ $# -gt 0 ]] || fail "no program to run"

if [[ $(id -u) -ne 0 ]]; then
    exec env "${copies[@]}" "$@"
fi

user=nobody
group=$(id -gn "$user" 2>/dev/null) || fail "there is no user $user to run the tests as"
command -v setpriv >/dev/null || fail "setpriv (Debian package util-linux) is missing"

base=${TMPDIR:-/tmp}
stage=$(mktemp -d "$base/tombreli-as-$user-XXXXXX") || fail "cannot make a folder in $base"
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
mkdir -m 755 "$stage/bin"
mkdir -m 700 "$stage/tmp"
chown "$user:$group" "$stage/tmp"

# Copies FILE into the stage's bin folder and prints the copy's path.
stage_file() {
    [[ -f $1 ]] || fail "$1 is not a file"
    local copy
    copy=$stage/bin/$(basename "$1")
    [[ ! -e $copy ]] || fail "two files named $(basename "$1")"
    cp "$1" "$copy"
    chmod 755 "$copy"
    echo "$copy"
}
program=$(stage_file "$1")
shift
variables=()
for copy in "${copies[@]}"; do
    variables+=("${copy%%=*}=$(stage_file "${copy#*=}")")
done

as_user() {
    setpriv --reuid="$user" --regid="$group" --clear-groups -- \
        env HOME="$stage/tmp" TMPDIR="$stage/tmp" "${variables[@]}" "$@"
}
# A folder every user may enter, on a file system that allows programs.
as_user test -x "$program" ||
    fail "the user $user cannot run programs from $base; set TMPDIR to a folder that every user may enter and that is not mounted noexec"

status=0
(cd "$stage/tmp" && as_user "$program" "$@") || status=$?
exit "$status"
