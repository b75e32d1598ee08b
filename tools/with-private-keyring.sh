#!/bin/sh
# Runs a program inside a private D-Bus session whose Secret Service is
# a fresh gnome-keyring, unlocked, with its files in a throw-away folder.
# The user's own session bus and keyring are never reached.
#
#   with-private-keyring.sh PROGRAM [ARGS...]
#
# The credential tests run this way, and so does the demo (tools/run-demo.sh),
# so that neither leaves passwords in the keyring of whoever runs them.
set -eu

if ! command -v dbus-run-session >/dev/null 2>&1 || ! command -v gnome-keyring-daemon >/dev/null 2>&1; then
    echo "with-private-keyring.sh: dbus-run-session and gnome-keyring-daemon are needed (packages dbus, gnome-keyring)" >&2
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-keyring.XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM
mkdir -m 700 "$scratch/runtime" "$scratch/data" "$scratch/cache"

# Only the daemon sees the scratch folders (its keyring file and sockets go
# there, never beside a keyring of the user's); the program keeps its own
# environment and reaches the daemon over the private bus alone.
dbus-run-session -- sh -c '
    scratch=$1
    shift
    printf %s vantorel-private-keyring |
        XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_HOME=$scratch/data XDG_CACHE_HOME=$scratch/cache \
        gnome-keyring-daemon --unlock --components=secrets >/dev/null
    # The daemon answers before it has written the login keyring, and until
    # then the service has no default keyring to store into; on a busy
    # machine a test could get there first. Wait (at most 20 s) until the
    # keyring file is complete.
    keyrings=$scratch/data/keyrings
    tries=0
    while [ ! -s "$keyrings/login.keyring" ] || ls "$keyrings"/login.keyring.temp-* >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 400 ]; then
            echo "with-private-keyring.sh: the private keyring was not written within 20 s" >&2
            exit 1
        fi
        sleep 0.05
    done
    exec "$@"' sh "$scratch" "$@"
