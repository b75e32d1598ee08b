#!/bin/sh
# The committed PNG icons are the drawing's: made afresh from
# icons/harbour-vantorel.svg, each is the same, byte for byte. (After
# changing the drawing, run tools/make-icons.sh and commit the PNGs.)
#
#   icons-current.sh SOURCE_DIR WORK_DIR
set -eu

source_dir=$1
work=$2
rm -rf "$work"
"$source_dir/tools/make-icons.sh" "$work"
status=0
for size in 86 108 128 172; do
    if ! cmp -s "$work/${size}x${size}/harbour-vantorel.png" "$source_dir/icons/${size}x${size}/harbour-vantorel.png"; then
        echo "icons/${size}x${size}/harbour-vantorel.png differs from the drawing: run tools/make-icons.sh" >&2
        status=1
    fi
done
[ "$status" -ne 0 ] || echo "icons-current.sh: the PNGs are the drawing's"
exit $status
