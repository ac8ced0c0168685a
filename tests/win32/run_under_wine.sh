#!/usr/bin/env bash
# Runs the Windows build's ctest under Wine on the current X display: a throwaway prefix, one
# persistent wineserver detached from the test's pipes (Wine's services would otherwise hold
# ctest's output open for minutes), a window manager, and the server stopped at the end.
# Arguments after the build folder go to ctest (e.g. -R win32_end_to_end).
set -euo pipefail
build=$(cd "$1" && pwd)
shift
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/rzv-wine.XXXXXX)
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine64

openbox_pid=
cleanup() {
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# Clients that reach a fresh Xvfb in the same instant can break it: wait until it answers.
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox </dev/null >/dev/null 2>&1 &
openbox_pid=$!

start=$(date +%s%N)
wineserver -p </dev/null >/dev/null 2>&1
timeout 120 "$wine" wineboot --init </dev/null >/dev/null 2>&1
# Debian's Wine does not load the TrueType fonts that fonts-wine ships: give them to the prefix,
# and let Arial be its metric twin.
ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
timeout 60 "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' \
    /f </dev/null >/dev/null 2>&1
echo "Wine prefix ready in $(( ($(date +%s%N) - start) / 1000000 )) ms"

cd "$build"
ctest --output-on-failure -j2 --timeout 300 --no-tests=error "$@"
