#!/usr/bin/env bash
# Runs a test program as an ordinary user: permissions do not bind root, so
# tests of unreadable folders must not run as root.
set -euo pipefail
if [[ $(id -u) -eq 0 ]]; then
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- env HOME=/tmp "$@"
fi
exec "$@"
