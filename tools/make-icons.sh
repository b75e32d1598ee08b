#!/bin/sh
# Makes the application's PNG icons, 86, 108, 128 and 172 pixels square (the
# sizes the phone's store asks for), from the one drawing
# icons/harbour-vantorel.svg. The PNGs are committed; run this after
# changing the drawing.
#
#   tools/make-icons.sh [OUTPUT_DIR]     (default: icons/ of the project)
#
# Needs rsvg-convert (Debian: librsvg2-bin).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/icons}

if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "make-icons.sh: rsvg-convert is needed (Debian package librsvg2-bin)" >&2
    exit 1
fi

for size in 86 108 128 172; do
    mkdir -p "$out/${size}x${size}"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$out/${size}x${size}/harbour-vantorel.png" "$here/icons/harbour-vantorel.svg"
done
