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
app_id=org.example.ri_zuzeru_vavuza
for path in ./usr/bin/RI-ZUZERU-VAVUZA ./usr/share/applications/$app_id.desktop \
    ./usr/share/metainfo/$app_id.metainfo.xml \
    ./usr/share/icons/hicolor/16x16/apps/ri-zuzeru-vavuza.png \
    ./usr/share/icons/hicolor/24x24/apps/ri-zuzeru-vavuza.png \
    ./usr/share/icons/hicolor/48x48/apps/ri-zuzeru-vavuza.png \
    ./usr/share/icons/hicolor/scalable/apps/ri-zuzeru-vavuza.svg \
    ./usr/share/doc/ri-zuzeru-vavuza/copyright \
    ./usr/share/doc/ri-zuzeru-vavuza/examples/ri-zuzeru-vavuza-autostart.desktop; do
    grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
    passed=$((passed + 1))
done
grep -q '^Exec=RI-ZUZERU-VAVUZA --log-and-close$' <(dpkg-deb --fsys-tarfile "$deb" |
    tar -xO ./usr/share/doc/ri-zuzeru-vavuza/examples/ri-zuzeru-vavuza-autostart.desktop) ||
    fail "the autostart example does not log and close"
! dpkg-deb -c "$deb" | grep -q '/etc/xdg/autostart' || fail "the package starts logging unasked"
passed=$((passed + 1))
# The validator's every word counts, hints included (two main categories, a key it rejects).
for entry in applications/$app_id.desktop doc/ri-zuzeru-vavuza/examples/ri-zuzeru-vavuza-autostart.desktop; do
    dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/$entry" >"$work/$(basename "$entry")"
    validation=$(desktop-file-validate "$work/$(basename "$entry")" 2>&1)
    [ -z "$validation" ] || fail "desktop-file-validate $entry: $validation"
done
grep -q '^StartupWMClass=RI-ZUZERU-VAVUZA$' "$work/$app_id.desktop" ||
    fail "the desktop entry names no StartupWMClass"
passed=$((passed + 1))

dpkg -x "$deb" "$work/root"
# The installed program as hardened as Debian's own (the package strips it; the checks read
# what stripping keeps).
"$(dirname "$(readlink -f "$0")")/../check_hardening.sh" "$work/root/usr/bin/RI-ZUZERU-VAVUZA" ||
    fail "the installed program is not hardened"
passed=$((passed + 1))
# The software centre's metadata: valid with no warning, naming this version and the entry.
metainfo=$work/root/usr/share/metainfo/$app_id.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli finds fault"
grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$metainfo" ||
    fail "the metainfo's release is not the package's version"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop<" "$metainfo" ||
    fail "the metainfo does not launch the desktop entry"
passed=$((passed + 1))
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
