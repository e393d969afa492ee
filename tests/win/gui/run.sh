#!/usr/bin/env bash
# Runs the window shell's display tests (the program given, and its
# arguments) in a virtual X server, with a temporary HOME and
# XDG_CONFIG_HOME so that no settings of the user are read or written.
set -euo pipefail
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config"
export HOME="$home" XDG_CONFIG_HOME="$home/config" GDK_BACKEND=x11
# No desktop services in the virtual server: GTK must not wait for them.
export NO_AT_BRIDGE=1 GTK_A11Y=none GSETTINGS_BACKEND=memory
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
# What the program writes to its working folder (the Prolog log) stays there too.
program=$(realpath "$1")
shift
cd "$home"
exec xvfb-run -a -s "-screen 0 1024x768x24" "$program" "$@"
