#!/usr/bin/env bash
# The Windows installer under Wine, as an administrator and a user meet it: a silent install
# with RUN_AT_LOGON=1 (files, an ordinary Start-menu shortcut, a Startup shortcut that logs and
# closes, an entry in the installed programs), the installed program run once (window shown,
# closed, settings saved), the event log's source registered, a newer MSI replacing this one
# and keeping the Startup shortcut, and a silent uninstall that leaves nothing of ours in
# Program Files, no event source and no remembered choice, but keeps the user's settings. Then
# as Windows really is for a standard user: refused on a system older than Windows 7 SP1, and
# installed without RUN_AT_LOGON by an unprivileged user whose Program Files folder is
# read-only, no Startup shortcut, and the Start-menu shortcut starts an unattended run that
# logs into the user's Documents and closes itself.
# Usage: msi_check.sh MSI STAGE_DIR SQL... (the folder the MSI was made from and the msibuild
# queries applied to it after wixl, one a line, for the newer one).
set -euo pipefail
msi=$(readlink -f "$1")
stage=$(readlink -f "$2")
wxs=$(cd "$(dirname "$0")/../.." && pwd)/resources/windows/RI-ZUZERU-VAVUZA.wxs
queries=()
while IFS= read -r query; do [ -n "$query" ] && queries+=(-q "$query"); done < <(cat "${@:3}")
wine=wine
source "$(dirname "$0")/../win32/wine_common.sh"
in_own_display "$0" "$@"
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
exists() { [ -e "$1" ] && echo yes || echo no; }
seconds() { awk -v a="$1" -v b="$(date +%s%N)" 'BEGIN {printf "%.1f", (b - a) / 1e9}'; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
installed_versions() {
    timeout 30 wine reg query "$uninstall_key" /s 2>/dev/null </dev/null | tr -d '\r' |
        awk '/DisplayName .*RI-ZUZERU-VAVUZA/ {found = 1} /^HKEY/ {found = 0}
             found && /DisplayVersion/ {print $3}' | sort | tr '\n' ' ' | sed 's/ $//'
}
saved() { stored RI-ZUZERU-VAVUZA "$1"; }  # saved KEY: what the installed program stored

start_window_manager
timeout 120 wine wineboot --init </dev/null >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1 &
sleep 1
drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/RI-ZUZERU-VAVUZA"
# Wine puts the all-users Start menu's shortcuts (and the common Startup folder's) in the
# user's own Start menu.
shortcuts() { find "$drive" -path '*Start Menu/Programs/RI-ZUZERU-VAVUZA.lnk' | wc -l; }
startup() { find "${1:-$drive}" -path '*Start Menu/Programs/StartUp/RI-ZUZERU-VAVUZA.lnk'; }
run_at_logon_key='HKLM\Software\QV_ZIV\RI-ZUZERU-VAVUZA'
remembered() { timeout 30 wine reg query "$run_at_logon_key" /v RunAtLogon 2>/dev/null </dev/null |
    tr -d '\r' | awk '$1 == "RunAtLogon" {print $3}'; }
version=$(sed -n 's/.*RI-ZUZERU-VAVUZA-\([0-9.]*\)-x64\.msi$/\1/p' <<<"$msi")

# The event source: the MSI's Registry table holds its key with the installed program as the
# message file.
source_key='SYSTEM\CurrentControlSet\Services\EventLog\Application\RI-ZUZERU-VAVUZA'
registry=$(msiinfo export "$msi" Registry | tr -d '\r' | KEY=$source_key awk -F'\t' \
    '$2 == 2 && $3 == ENVIRON["KEY"] {print $4 "=" $5}' | sort | tr '\n' ' ')
check "the MSI registers the event source" "$registry" "EventMessageFile=[#ProgramExe] TypesSupported=#7 "
event_source() {  # the registered source's two values, as "MESSAGE_FILE TYPES"
    timeout 30 wine reg query "HKLM\\$source_key" 2>/dev/null </dev/null | tr -d '\r' |
        awk '$1 == "EventMessageFile" {file = substr($0, index($0, $3))}
             $1 == "TypesSupported" {types = $3} END {if (file != "") print file, types}'
}
# The tables: both shortcuts are ordinary ones (their target the program, not the feature) with
# no start folder fixed at install time to the installing account's profile (the program finds
# its log folder itself); the Startup one passes --log-and-close, only with RUN_AT_LOGON = "1",
# a secure property (an elevated install gets it from the command line); the launch condition
# refuses Windows before 7 SP1, with its message.
check "the shortcuts: folder, target, arguments, start folder" "$(msiinfo export "$msi" Shortcut |
    tr -d '\r' | awk -F'\t' 'NR > 3 {printf "%s>%s %s [%s]; ", $2, $5, $6, $12}')" \
    "ProgramMenuFolder>[#ProgramExe]  []; StartupFolder>[#ProgramExe] --log-and-close []; "
check "RUN_AT_LOGON is secure" "$(msiinfo export "$msi" Property | tr -d '\r' |
    awk -F'\t' '$1 == "SecureCustomProperties"' | grep -c ';RUN_AT_LOGON$')" 1
check "the launch condition for Windows 7 SP1" "$(msiinfo export "$msi" LaunchCondition |
    tr -d '\r' | grep -c $'^Installed OR VersionNT > 601 OR (VersionNT = 601 AND ServicePackLevel >= 1)\tRI-ZUZERU-VAVUZA needs Windows 7')" 1
# And Windows Installer applies it: Wine playing Windows Vista is refused, nothing installed.
timeout 60 wine winecfg -v vista </dev/null >/dev/null 2>&1
status=0
timeout 120 wine msiexec /i "$msi" /qn /l*v "Z:$(tr / '\\' <<<"$work/vista.log")" </dev/null >/dev/null 2>&1 || status=$?
check "refused on Windows Vista (1603, fatal error, in 8 bits)" "$status" $((1603 % 256))
# (Wine logs no message text under /qn: the launch conditions are the last step it took.)
check "refused by the launch condition" "$(tr -d '\0' <"$work/vista.log" 2>/dev/null |
    sed -n 's/^Action start [0-9:]*: \(.*\)\.$/\1/p' | tail -1)" LaunchConditions
check "nothing installed on Windows Vista" "$(exists "$folder/RI-ZUZERU-VAVUZA.exe")" no
timeout 60 wine winecfg -v win10 </dev/null >/dev/null 2>&1

started=$(date +%s%N)
status=0
timeout 120 wine msiexec /i "$msi" /qn RUN_AT_LOGON=1 </dev/null >/dev/null 2>&1 || status=$?
echo "msi: install took $(seconds "$started") s, $(stat -c %s "$msi") bytes"
check "install status" "$status" 0
check "installed files" "$(exists "$folder/RI-ZUZERU-VAVUZA.exe") $(exists "$folder/README.md") \
$(exists "$folder/LICENSE.txt")" "yes yes yes"
check "a Start-menu shortcut" "$(shortcuts)" 1
link=$(startup)
check "RUN_AT_LOGON=1: a Startup shortcut that logs and closes" \
    "$([ -n "$link" ] && strings -el "$link" | grep -cxF -e --log-and-close)" 1
check "installed programs list the version" "$(installed_versions)" "$version"
check "the event source names the installed program" "$(event_source)" \
    'C:\Program Files\RI-ZUZERU-VAVUZA\RI-ZUZERU-VAVUZA.exe 0x7'

(cd "$work" && timeout 60 wine "$folder/RI-ZUZERU-VAVUZA.exe" </dev/null >/dev/null 2>&1) &
program=$!
window=$(find_window 30 --name '^RI-ZUZERU-VAVUZA$')
check "the installed program shows its window" "$([ -n "$window" ] && echo yes)" yes
sleep 1
[ -n "$window" ] && wmctrl -i -c "$window"
status=0
wait "$program" || status=$?
check "it closes with status 0" "$status" 0
check "its settings are saved" "$(saved MAIN_Left) $(saved AlwaysOnTop_TICKBOX)" "1000 1"

# A newer MSI of the same product replaces this one: one entry, the newer version; installed
# without RUN_AT_LOGON, it keeps the Startup shortcut. (Windows Installer compares three fields
# of a version, so the newer one counts up the third.)
newer_version=$(awk -F. '{printf "%d.%d.%d", $1, $2, $3 + 1}' <<<"$version")
newer=$work/newer.msi
(cd "$stage" && wixl -a x64 -D Version="$newer_version" -o "$newer" "$wxs" 2>/dev/null)
msibuild "$newer" "${queries[@]}"
timeout 120 wine msiexec /i "$newer" /qn </dev/null >/dev/null 2>&1 || true
check "a newer MSI replaces the older" "$(installed_versions)" "$newer_version"
check "the upgrade keeps the Startup shortcut" "$(startup | wc -l)" 1

started=$(date +%s%N)
status=0
timeout 120 wine msiexec /x "$newer" /qn </dev/null >/dev/null 2>&1 || status=$?
echo "msi: uninstall took $(seconds "$started") s"
check "uninstall status" "$status" 0
check "nothing of ours left in Program Files" "$(exists "$folder")" no
check "the shortcuts are gone" "$(shortcuts) $(startup | wc -l)" "0 0"
check "the remembered RUN_AT_LOGON is removed" "$(remembered)" ""
check "no entry left in installed programs" "$(installed_versions)" ""
check "the event source is removed" "$(event_source)" ""
check "the user's settings stay" "$(saved MAIN_Left)" 1000

# A standard user: Program Files is theirs to read only (Wine run by an unprivileged Unix user,
# with the folder's write permission taken away, answers ERROR_ACCESS_DENIED as an ACL does).
# Started by its Start-menu shortcut with Auto Start and Auto Close ticked, the program logs into
# the user's Documents and closes itself.
user=rzv-standard
if [ "$(id -u)" -ne 0 ]; then
    echo "msi: not root, the standard user's install is skipped"
else
    id "$user" >/dev/null 2>&1 || useradd --create-home --shell /usr/sbin/nologin "$user"
    home=$(getent passwd "$user" | cut -d: -f6)
    own=$(runuser -u "$user" -- mktemp -d /tmp/rzv-standard.XXXXXX)
    cp "$msi" "$own/setup.msi"
    [ -n "${XAUTHORITY:-}" ] && cp "$XAUTHORITY" "$own/Xauthority"
    chown -R "$user:" "$own"
    as_user() {
        runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH="$PATH" DISPLAY="$DISPLAY" \
            XAUTHORITY="$own/Xauthority" WINEPREFIX="$own/prefix" WINEDEBUG=-all \
            WINEDLLOVERRIDES="$WINEDLLOVERRIDES" "$@"
    }
    trap 'as_user wineserver -k 2>/dev/null || true; rm -rf "$own"; wineserver -k 2>/dev/null || true
          kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
    as_user timeout 120 wine wineboot --init </dev/null >/dev/null 2>&1
    as_user wineserver -p </dev/null >/dev/null 2>&1 &
    sleep 1
    status=0
    as_user timeout 120 wine msiexec /i "$own/setup.msi" /qn </dev/null >/dev/null 2>&1 || status=$?
    check "the standard user's install" "$status" 0
    user_drive=$own/prefix/drive_c
    user_folder="$user_drive/Program Files/RI-ZUZERU-VAVUZA"
    chmod a-w "$user_folder"
    key='HKCU\Software\QV_ZIV\RI-ZUZERU-VAVUZA'
    for option in AUTOSTART_TICKBOX AUTOCLOSE_TICKBOX; do
        as_user timeout 30 wine reg add "$key" /v "$option" /d 1 /f </dev/null >/dev/null 2>&1
    done
    as_user timeout 30 wine reg add "$key" /v AlwaysOnTop_TICKBOX /d 0 /f </dev/null >/dev/null 2>&1
    link=$(find "$user_drive" -path '*Start Menu/Programs/RI-ZUZERU-VAVUZA.lnk' | head -1)
    check "the standard user's Start-menu shortcut" "$([ -n "$link" ] && echo yes)" yes
    check "without RUN_AT_LOGON, no Startup shortcut" "$(startup "$user_drive" | wc -l)" 0
    documents=$(readlink -f "$user_drive/users/$user/Documents")
    rm -f "$documents/RI-ZUZERU-VAVUZA.LOG"
    # Through the shell, as a click on the shortcut: the link has no "Start in", so the program
    # starts in the shell's own folder, System32 as under Explorer, and finds its log folder
    # itself. (start returns once the program has started.)
    (cd "$user_drive/windows/system32" &&
        as_user timeout 60 wine start /unix "$link" </dev/null >/dev/null 2>&1) || true
    running() { pgrep -u "$user" -f 'RI-ZUZERU-VAVUZA\.exe' >/dev/null; }
    for _ in $(seq 200); do running && break; sleep 0.1; done
    started=$(date +%s%N)
    check "the shortcut starts the program" "$(running && echo yes)" yes
    for _ in $(seq 400); do running || break; sleep 0.1; done
    echo "msi: the run started by the shortcut lasted $(seconds "$started") s (up to 40 s are awaited)"
    check "started by its shortcut, it closes itself" "$(running && echo running || echo closed)" \
        closed
    check "the record is in the user's Documents" \
        "$(grep -c '^Current UpTime = ' "$documents/RI-ZUZERU-VAVUZA.LOG" 2>/dev/null)" 1
    check "nothing written into Program Files" "$(exists "$user_folder/RI-ZUZERU-VAVUZA.LOG")" no
    # The exe started in its own read-only folder with --log-and-close and no option stored:
    # the record goes to Documents, the program closes itself, and no option is stored.
    as_user timeout 30 wine reg delete "$key" /f </dev/null >/dev/null 2>&1
    rm -f "$documents/RI-ZUZERU-VAVUZA.LOG"
    status=0
    (cd "$user_folder" && as_user timeout 60 wine ./RI-ZUZERU-VAVUZA.exe --log-and-close \
        </dev/null >/dev/null 2>&1) || status=$?
    check "--log-and-close in a read-only folder closes itself with status 0" "$status" 0
    check "its record is in the user's Documents" \
        "$(grep -c '^Current UpTime = ' "$documents/RI-ZUZERU-VAVUZA.LOG" 2>/dev/null)" 1
    check "no option stored" "$(as_user timeout 30 wine reg query "$key" </dev/null 2>/dev/null |
        grep -c '_TICKBOX')" 0
fi

report msi_install
