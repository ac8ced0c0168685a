#!/usr/bin/env bash
# Runs the Windows build's ctest under Wine on the current X display: a throwaway prefix, one
# persistent wineserver detached from the test's pipes (Wine's services would otherwise hold
# ctest's output open for minutes), a window manager, and the server stopped at the end.
# Arguments after the build folder go to ctest (e.g. -R win32_end_to_end).
set -euo pipefail
build=$(cd "$1" && pwd)
shift
source "$(dirname "$0")/../../scripts/windows.sh"

openbox_pid=
WINEPREFIX=  # never the user's own: only the one made here is stopped and removed
cleanup() {
    if [ -n "$WINEPREFIX" ]; then
        timeout 20 wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Clients that reach a fresh Xvfb in the same instant can break it: wait until it answers.
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox </dev/null >/dev/null 2>&1 &
openbox_pid=$!

start=$(date +%s%N)
start_wine_prefix
echo "Wine prefix ready in $(( ($(date +%s%N) - start) / 1000000 )) ms"

cd "$build"
ctest --output-on-failure -j2 --timeout 300 --no-tests=error "$@"
