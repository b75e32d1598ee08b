#!/usr/bin/env bash
# The phone's interface on the desktop: the application built and installed
# as the phone build installs it (the Silica shell as qml/harbour-vantorel.qml,
# with qml/phone/ and qml/components/) into a scratch prefix, run in a
# 540 x 960 window against the local demo host. The test-only Silica module
# (tests/silica) takes the place of the phone's Sailfish.Silica. As with
# tools/run-demo.sh, settings and keyring are throw-away ones of this run.
#
# Pull the page down (drag with the mouse) for its menu; "‹" at the top left
# goes back a page, as a swipe does on the phone; hold a list entry for its
# menu. There is no on-screen keyboard: type with the desktop's.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTOREL_BUILD_DIR:-$here/build}
phone_build="$build_dir/phone-preview"

"$here/tools/setup.sh"
# shellcheck source=tools/demo-env.sh
. "$here/tools/demo-env.sh"
cmake --build "$build_dir" --target vantorel-silica-module >/dev/null

# The phone build of the application, with the desktop's stand-ins for the
# platform's libraries; only the application and its translations.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
echo "Building the phone build in $phone_build ..."
cmake -S "$here" -B "$phone_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_SHELL=phone \
    -DVANTOREL_BUILD_TESTS=OFF -DVANTOREL_BUILD_BENCHMARKS=OFF -DVANTOREL_BUILD_DEMOHOST=OFF \
    "${launcher[@]}" >/dev/null
cmake --build "$phone_build" -j"$(nproc)" --target harbour-vantorel vantorel-translations >/dev/null

work=$(mktemp -d)
host_log="$work/demohost.log"
cleanup() {
    [ -n "${demo_host_pid:-}" ] && kill "$demo_host_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cmake --install "$phone_build" --prefix "$work/prefix" >/dev/null
start_demo_host "$build_dir" "$host_log"
echo "Demo host listening on 127.0.0.1:$demo_port; sign on as DEMO with the password demo5250."
write_demo_settings "$work/config" "$demo_port"

app=("$here/tools/with-private-keyring.sh" "$work/prefix/bin/harbour-vantorel")
export XDG_CONFIG_HOME="$work/config" QML2_IMPORT_PATH="$build_dir/tests/silica"
status=0
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "${app[@]}" || status=$?
else
    echo "No display found: running the preview under Xvfb (nothing will be visible)." >&2
    xvfb-run -a "${app[@]}" || status=$?
fi
exit $status
