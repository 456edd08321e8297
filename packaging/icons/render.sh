#!/bin/sh
# Renders the icon's PNG sizes from its drawing, for desktops that do not read SVG. Run it after changing
# selektor.svg and commit the PNGs with it: the build itself needs no drawing tool (rsvg-convert comes
# with the Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")/hicolor"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" scalable/apps/selektor.svg -o "${size}x${size}/apps/selektor.png"
done
