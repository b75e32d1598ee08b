#!/usr/bin/env bash
# Sets everything up and runs every test. CTest's summary line ends the output.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTOREL_BUILD_DIR:-$here/build}

"$here/tools/setup.sh"

cd "$build_dir"
# One X server for the whole run (for anything that needs a real window) and
# a private D-Bus session for the secrets service the credential tests use.
exec xvfb-run -a dbus-run-session -- ctest --output-on-failure -j"$(nproc)" "$@"
