#!/usr/bin/env bash
# Runs a command on a session bus of its own with a gnome-keyring of its own, unlocked with an
# empty password, in a scratch home: the user's own keyring is never touched.
# Usage: with-keyring.sh COMMAND [ARGUMENTS...]   (exit 77 when there is no gnome-keyring)
set -euo pipefail
command -v gnome-keyring-daemon >/dev/null && command -v dbus-run-session >/dev/null || {
  echo "gnome-keyring-daemon or dbus-run-session is missing" >&2
  exit 77
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config \
  XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/runtime VELTRANE_TEST_KEYRING=secret-service
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
# The daemon reads the password as a line from standard input (no line at all would make it ask
# a prompter, which needs a display) and leaves with the bus.
dbus-run-session -- bash -c '
  echo "" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
  exec "$@"' with-keyring "$@"
