#!/usr/bin/env bash
# Makes FOLDER drive D: of the wine prefix PREFIX, empty but for the file that
# tells the tests the drive is theirs:  wine-second-drive.sh PREFIX FOLDER
set -euo pipefail
prefix="$1"
folder="$2"
"$(dirname "$0")/../../cmake/wine-run.sh" "$prefix"
rm -rf "$folder"
mkdir -p "$folder"
: >"$folder/tombreli-second-drive"
# Wine looks drives up here on every use, so a running server sees it at once.
ln -sfn "$folder" "$prefix/dosdevices/d:"
