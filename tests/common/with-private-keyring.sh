#!/bin/sh
# Runs a test program inside a private D-Bus session whose Secret Service is
# a fresh gnome-keyring, unlocked, with its files in a throw-away folder.
# The user's own session bus and keyring are never reached.
#
#   with-private-keyring.sh PROGRAM [ARGS...]
set -eu

if ! command -v dbus-run-session >/dev/null 2>&1 || ! command -v gnome-keyring-daemon >/dev/null 2>&1; then
    echo "with-private-keyring.sh: dbus-run-session and gnome-keyring-daemon are needed (packages dbus, gnome-keyring)" >&2
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-keyring.XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM
mkdir -m 700 "$scratch/runtime" "$scratch/data" "$scratch/home"

# HOME and the XDG folders point into the scratch folder so that the daemon
# creates its keyring there; the test's own XDG_CONFIG_HOME is kept.
XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_HOME=$scratch/data HOME=$scratch/home \
    dbus-run-session -- sh -c '
        printf %s vantorel-test-keyring | gnome-keyring-daemon --unlock --components=secrets >/dev/null
        exec "$@"' sh "$@"
