#!/usr/bin/env bash
# The real program read as a screen reader reads it: an X server (Xvfb) with a window manager,
# a private session bus whose accessibility bus (at-spi2-core) the program joins, and a client
# that walks its tree and drives it through AT-SPI (screen_reader_check.py).
# The program's awake clock is faked (the preloaded BOOT_CLOCK: awake since 1 s at start), so
# that the description of its uptime tells a time asleep.
# Usage: run_screen_reader.sh PROGRAM BOOT_CLOCK [--tree]   (--tree prints the main window's
# tree only)
set -euo pipefail
bin=$(readlink -f "$1")
boot_clock=$(readlink -f "$2")
shift 2
here=$(dirname "$(readlink -f "$0")")
source "$here/e2e_common.sh"
python=/usr/bin/python3  # Debian's, which has the pyatspi bindings
require_tools screen_reader xvfb-run dbus-launch openbox xdpyinfo xdotool
"$python" -c 'import pyatspi' 2>/dev/null || { echo "screen_reader: python3-pyatspi is missing"; exit 1; }
in_own_display "$0" "$bin" "$boot_clock" "$@"

work=$(mktemp -d)
chmod 700 "$work"
eval "$(dbus-launch --sh-syntax)"
trap 'kill $(jobs -p) 2>/dev/null || true; kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true;
      rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
# Qt joins the accessibility bus when a reader runs; there is none here, so ask it to.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_window_manager
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
(cd "$work" && RZV_FAKE_AWAKE_MS=1000 LD_PRELOAD="$boot_clock" exec "$bin" 2>"$work/stderr") &
app_pid=$!

status=0
"$python" "$here/screen_reader_check.py" "$@" || status=$?
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
if [ -s "$work/stderr" ] && [ "$status" -ne 0 ]; then
    echo "--- the program's stderr:"
    cat "$work/stderr"
fi
exit "$status"
