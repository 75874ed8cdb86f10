#!/usr/bin/env bash
# Renders tombreli.svg into tombreli-32.png, the 32 x 32 picture in at most 256
# colours. Run by hand after changing the SVG (needs librsvg2-bin and
# ImageMagick); the build installs the PNG as committed.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rsvg-convert -w 32 -h 32 tombreli.svg -o "$work/rgba.png"
# A palette holds one alpha bit here: edge pixels become wholly opaque or clear.
convert "$work/rgba.png" -channel A -threshold 50% +channel -colors 256 -strip \
    -define png:exclude-chunks=date,time PNG8:tombreli-32.png
