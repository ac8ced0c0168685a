#!/usr/bin/env bash
# Builds the Debian package, holds it to lintian, checks what it installs, then unpacks it into a
# throwaway root and runs the installed program offscreen: it must start, and close and save
# its settings on SIGTERM.
set -euo pipefail
build=$(readlink -f "$1")
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
passed=0

fail() { echo "debian_package: $*"; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/ri-zuzeru-vavuza_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

lintian_status=0
report=$(lintian --fail-on error "$deb" 2>&1) || lintian_status=$?
grep -v 'root privileges' <<<"$report" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors"
passed=$((passed + 1))

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
passed=$((passed + 1))

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/RI-ZUZERU-VAVUZA ./usr/share/applications/ri-zuzeru-vavuza.desktop \
    ./usr/share/icons/hicolor/16x16/apps/ri-zuzeru-vavuza.png \
    ./usr/share/icons/hicolor/24x24/apps/ri-zuzeru-vavuza.png \
    ./usr/share/icons/hicolor/48x48/apps/ri-zuzeru-vavuza.png \
    ./usr/share/icons/hicolor/scalable/apps/ri-zuzeru-vavuza.svg \
    ./usr/share/doc/ri-zuzeru-vavuza/copyright; do
    grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
    passed=$((passed + 1))
done
grep -q '^Categories=Utility;System;Monitor;$' \
    <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/ri-zuzeru-vavuza.desktop) ||
    fail "the desktop entry's categories"
passed=$((passed + 1))

dpkg -x "$deb" "$work/root"
mkdir -p "$work/run" "$work/config"
cd "$work/run"
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen \
    "$work/root/usr/bin/RI-ZUZERU-VAVUZA" 2>"$work/stderr" &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the installed program did not keep running: $(cat "$work/stderr")"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
grep -qx 'MAIN_Left=1000' "$work/config/QV_ZIV.conf" || fail "no settings saved on SIGTERM"
passed=$((passed + 1))
echo "debian_package: $passed passed, 0 failed"
