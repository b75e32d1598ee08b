#!/usr/bin/env bash
# Sets everything up and runs every test. CTest's summary line ends the output.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTOREL_BUILD_DIR:-$here/build}

"$here/tools/setup.sh"

cd "$build_dir"
# One X server for the whole run, for anything that needs a real window. The
# credential tests start their own D-Bus session and keyring (see
# tools/with-private-keyring.sh); no test reaches the user's session bus.
exec xvfb-run -a ctest --output-on-failure -j"$(nproc)" "$@"
