#!/usr/bin/env bash
# Takes the README's pictures of the terminal page: the real page in a real
# window under a private Xvfb, signed on at the local demo host's menu, at a
# desktop size and two phone sizes (and one at scale factor 2), and of the
# phone's Silica shell at 540 x 960 with the test-only Silica module (as
# tools/run-phone-preview.sh shows it), and at 360 x 640 with that phone's
# smaller Theme. Writes them to docs/screenshots/ (or
# the folder given as the first argument).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTOREL_BUILD_DIR:-$here/build}
out=${1:-$here/docs/screenshots}

if [ ! -x "$build_dir/tools/screenshots/vantorel-screenshots" ]; then
    "$here/tools/setup.sh"
fi
cmake --build "$build_dir" --target vantorel-screenshots vantorel-silica-module >/dev/null
mkdir -p "$out"

shoot() {
    # No session bus: nothing reaches a keyring; fonts and sizes as in the tests.
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1400x24" \
        "$build_dir/tools/screenshots/vantorel-screenshots" "$out" "$@"
}

shoot desktop-menu=1280x800 desktop-settings=1280x800@settings \
      phone-keys=540x960@24 small-menu=360x640 small-settings=360x640@settings
QT_SCALE_FACTOR=2 shoot small-keys-x2=360x640@24
# A smaller phone lays the pages out with its smaller Theme sizes.
VANTOREL_SILICA_PIXEL_RATIO=0.67 shoot --phone phone-shell-small=360x640 phone-shell-small-keyboard=360x640@keyboard
shoot --phone phone-shell=540x960 phone-shell-menu=540x960@menu phone-shell-keys=540x960@24 \
      phone-shell-keyboard=540x960@keyboard phone-shell-profiles=540x960@profiles \
      phone-shell-connection=540x960@connection phone-shell-cover=540x960@cover
