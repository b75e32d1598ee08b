#!/usr/bin/env bash
# Sets everything up, starts the local demo host and opens the application
# connected to it. The application gets a throw-away settings location whose
# one profile points at the demo host, and a throw-away keyring; your own
# settings and passwords are not touched.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTOREL_BUILD_DIR:-$here/build}

"$here/tools/setup.sh"
# shellcheck source=tools/demo-env.sh
. "$here/tools/demo-env.sh"

work=$(mktemp -d)
host_log="$work/demohost.log"
cleanup() {
    [ -n "${demo_host_pid:-}" ] && kill "$demo_host_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_demo_host "$build_dir" "$host_log"
port=$demo_port
echo "Demo host listening on 127.0.0.1:$port (its log: follow the terminal output below)"
echo "Sign on as DEMO with the password demo5250. Settings > Sign-on can save it: passwords"
echo "go to a throw-away keyring of this run, not to yours."

write_demo_settings "$work/config" "$port"

tail -f "$host_log" &
tail_pid=$!

# A private session bus with a fresh keyring: saved passwords live as long
# as this run.
app=("$here/tools/with-private-keyring.sh" "$build_dir/harbour-vantorel")
status=0
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    XDG_CONFIG_HOME="$work/config" "${app[@]}" || status=$?
else
    echo "No display found: running the application under Xvfb (nothing will be visible)." >&2
    XDG_CONFIG_HOME="$work/config" xvfb-run -a "${app[@]}" || status=$?
fi
kill "$tail_pid" 2>/dev/null || true
exit $status
