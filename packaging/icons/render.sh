#!/usr/bin/env bash
# Renders the PNG sizes of the icon from talkomat.svg (needs rsvg-convert, Debian's librsvg2-bin). The PNGs are
# kept in the repository so that building needs no SVG renderer; run this after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio talkomat.svg --output "talkomat-$size.png"
done
