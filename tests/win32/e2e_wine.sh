#!/usr/bin/env bash
# The real Windows program under Wine, on the current X display with a window manager, as a
# user would meet it: its window, a logging run started by a click, the settings it stores, a
# bad stored value, an unattended run, the keeper against a rival window, the About window and
# the end of a session, a log held open by a viewer, the DLL search restricted first, and the
# command line's answers in a message box. Child controls are not X windows: they are clicked by their place in
# the client area (96 DPI: 15 twips a pixel). Asserts on texts and stored values, not timing.
set -euo pipefail
exe=$1 helper=$2 wine=${3:-wine64} version=${4:-}
source "$(dirname "$0")/wine_common.sh"
wine_test e2e
# The uptime in the log's "Current UpTime = 0d, 1h, 2m, 3s" line, in seconds.
logged_seconds() {
    tr -d '\r' <"$1" | sed -n 's/^Current UpTime = \(-*[0-9]*\)d, \(-*[0-9]*\)h, \(-*[0-9]*\)m, \(-*[0-9]*\)s$/\1 \2 \3 \4/p' |
        awk '{ print $1 * 86400 + $2 * 3600 + $3 * 60 + $4 }'
}

# 1. The window, its title and size; START clicked; the record about 11 s later.
t0=$(now_ms)
start CLICKED
echo "start-up to a visible window: $(($(now_ms) - t0)) ms"
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
width=${geometry%x*} height=${geometry#*x}
# 4380 x 2325 twips outside: a client area of about 290 x 130 pixels inside the frame.
[ "$width" -ge 260 ] && [ "$width" -le 292 ] && [ "$height" -ge 100 ] && [ "$height" -le 155 ] &&
    pass "client area ${geometry}" || fail "client area ${geometry}"
click "$win" 236 104  # START_STOP_BUTTON
for _ in $(seq 150); do [ -f "$work/CLICKED/CLICKED.LOG" ] && break; sleep 0.1; done
log=$work/CLICKED/CLICKED.LOG
if [ -f "$log" ]; then
    ticks=$("$wine" "$helper" ticks </dev/null | tr -d '\r')
    check "log has nine lines" "$(wc -l <"$log")" 9
    check "every line ends in CR LF" "$(grep -c $'\r$' "$log")" 9
    check "title line" "$(sed -n 2p "$log" | tr -d '\r')" "- QUORVANE - RI-ZUZERU-VAVUZA - QV-ZIV -"
    check "an ASCII record is plain 8-bit text" "$(head -c 3 "$log")" "==="
    check "pc name" "$(sed -n 5p "$log" | tr -d '\r')" \
        "PC Name = ${COMPUTERNAME:-$(tr -d '\r' <"$log" | sed -n 's/^PC Name = //p')}"
    drift=$(($(logged_seconds "$log") - ticks / 1000))
    [ "${drift#-}" -le 3 ] && pass "logged uptime agrees with Wine's tick count" ||
        fail "logged uptime off by $drift s"
else
    fail "no log 15 s after START"
fi
close
check "closed by the close button" "${status:-still running}" 0
check "MAIN_Left stored" "$(stored CLICKED MAIN_Left)" 1000
check "AlwaysOnTop_TICKBOX stored" "$(stored CLICKED AlwaysOnTop_TICKBOX)" 1
check "AUTOCLOSE_TICKBOX stored" "$(stored CLICKED AUTOCLOSE_TICKBOX)" 0

# 2. Bad stored texts: the defaults, a warning, and the program runs on.
store BAD MAIN_Left abc
store BAD AUTOSTART_TICKBOX 7
WINEDEBUG=warn+seh start BAD  # Wine 8 tells OutputDebugString* on the "seh" channel
grep -q "MAIN_Left" "$work/BAD/stderr.txt" && pass "warned of the bad MAIN_Left" ||
    fail "no warning for the bad MAIN_Left"
# Without a console the warning must reach the debugger output, where Windows users see it.
debugger_line='OutputDebugString[AW] "RI-ZUZERU-VAVUZA: setting MAIN_Left holds'
for _ in $(seq 20); do grep -q "$debugger_line" "$work/BAD/stderr.txt" && break; sleep 0.1; done
check "the warning is in the debugger output" "$(grep -c "$debugger_line" "$work/BAD/stderr.txt")" 1
close
check "bad program closed" "${status:-still running}" 0
check "bad MAIN_Left replaced by the default" "$(stored BAD MAIN_Left)" 1000
check "bad AUTOSTART_TICKBOX replaced by the default" "$(stored BAD AUTOSTART_TICKBOX)" 0

# 3. The keeper: a rival Wine window made topmost loses the band to ours within a second or two;
# a topmost taskbar that takes the foreground keeps its band past three ticks, beside ours.
start KEEPER
"$wine" "$helper" rival </dev/null >/dev/null 2>&1 &
rival_pid=$!
pids+=("$rival_pid")
rival=$(find_window 5 --name '^RIVAL$')
sleep 2.5
check "rival left the top band" "$(above "$rival")" 0
check "main window in the top band" "$(above "$win")" 1
kill "$rival_pid" 2>/dev/null || true
"$wine" "$helper" taskbar </dev/null >/dev/null 2>&1 &
taskbar_pid=$!
pids+=("$taskbar_pid")
taskbar=$(find_window 5 --name '^TASKBAR$')
sleep 3.5
check "the taskbar keeps the top band" "$(above "$taskbar")" 1
check "main window in the top band beside it" "$(above "$win")" 1
kill "$taskbar_pid" 2>/dev/null || true

# The uptime display's tooltip: since when, awake and asleep, and with Fast Startup on (as the
# prefix's registry now says) why Shut down does not start the count again.
power='HKLM\SYSTEM\CurrentControlSet\Control'
"$wine" reg add "$power\Session Manager\Power" /v HiberbootEnabled /t REG_DWORD /d 1 /f \
    </dev/null >/dev/null 2>&1
"$wine" reg add "$power\Power" /v HibernateEnabled /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1
tip=
for _ in $(seq 5); do
    xdotool mousemove --window "$win" 190 66 sleep 0.2 mousemove --window "$win" 200 66
    sleep 1
    tip=$("$wine" "$helper" tooltip </dev/null 2>/dev/null | tr -d '\r') && break
done
echo "the uptime's tooltip:"$'\n'"$tip"
check "the tooltip says since when" "$(grep -c '^Up since ' <<<"$tip")" 1
check "the tooltip says how long awake and asleep" \
    "$(grep -cE '^(Awake|Asleep) [0-9]+d, [0-9]+h, [0-9]+m, [0-9]+s$' <<<"$tip")" 2
check "the tooltip says why Shut down keeps the count" \
    "$(grep -c '^Fast Startup is on: Shut down keeps this count going' <<<"$tip")" 1
xdotool mousemove 0 0

# 4. About: opens by its button with the keeper running, keeps the focus, Enter (OK) and Esc close
#    it, its place is stored.
for key in Return Escape; do
    click "$win" 160 104  # ABOUT_BUTTON
    about=$(find_window 5 --name "$about_title")
    [ -n "$about" ] && pass "About opened" || fail "About did not open"
    # The key goes where the focus is: wait until OK has it, as it must right after opening.
    # A busy machine may take a few seconds to give it.
    focus=
    for _ in $(seq 50); do
        focus=$("$wine" "$helper" focus </dev/null | tr -d '\r')
        [ "$focus" = OK ] && break
        sleep 0.1
    done
    check "the focus is on OK when About opens" "$focus" OK
    # The keeper ticks once a second while About is open; it must not take the window back.
    sleep 1.5
    check "the focus stays on OK past the keeper's tick" \
        "$("$wine" "$helper" focus </dev/null | tr -d '\r')" OK
    xdotool windowactivate --sync "$about" key "$key" 2>/dev/null || xdotool key "$key"
    check "About closed by $key" "$(gone_within 5 --name "$about_title")" yes
    check "the focus is back on About after $key" \
        "$("$wine" "$helper" focus </dev/null | tr -d '\r')" About
done
check "ABOUT_Left stored" "$(stored KEEPER ABOUT_Left)" 1000

# 5. The end of the session saves as the close button does: Auto Start ticked, then the end.
click "$win" 40 64  # AUTOSTART_TICKBOX
sleep 1  # taken in before the session ends, however busy the machine
"$wine" wineboot --end-session </dev/null >/dev/null 2>&1 || true
wait_for_exit "$pid" 15
check "ended with the session" "${status:-still running}" 0
check "Auto Start saved at the session's end" "$(stored KEEPER AUTOSTART_TICKBOX)" 1

# 6. Auto Start and Auto Close: it logs and closes itself, about 21 s after it starts. The user's
# time markers are Japanese on an English system, characters the ANSI code page lacks: the log
# is UTF-8 with a byte-order mark and keeps them. (Set through a UTF-16 .reg file: the command
# line of reg add is not UTF-8 here.)
international() {  # international LINES: values of the user's regional settings
    { printf '\xff\xfe'
      printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\International]\r\n%s\r\n' \
          "$1" | iconv -f UTF-8 -t UTF-16LE; } >"$work/international.reg"
    "$wine" reg import "Z:$(tr / '\\' <<<"$work/international.reg")" </dev/null >/dev/null 2>&1
}
morning=$'\xe5\x8d\x88\xe5\x89\x8d' afternoon=$'\xe5\x8d\x88\xe5\xbe\x8c'  # in UTF-8
international "\"s1159\"=\"$morning\""$'\r\n'"\"s2359\"=\"$afternoon\""$'\r\n''"sTimeFormat"="tt h:mm:ss"'
store UNATTENDED AUTOSTART_TICKBOX 1
store UNATTENDED AUTOCLOSE_TICKBOX 1
store UNATTENDED AlwaysOnTop_TICKBOX 0
start UNATTENDED
wait_for_exit "$pid" 40
international $'"s1159"=-\r\n"s2359"=-\r\n"sTimeFormat"=-'
check "unattended run closed itself" "${status:-still running}" 0
log=$work/UNATTENDED/UNATTENDED.LOG
[ -f "$log" ] && pass "unattended log written" || fail "no unattended log"
check "options saved by the auto close" "$(stored UNATTENDED AUTOCLOSE_TICKBOX)" 1
check "a record beyond the code page is UTF-8 after a byte-order mark" \
    "$(head -c 3 "$log" | od -An -tx1 | tr -d ' ')" efbbbf
check "the time markers kept" \
    "$(LC_ALL=C grep -cE "^- .* - ($morning|$afternoon) [0-9]+:[0-9]{2}:[0-9]{2} -"$'\r$' "$log")" 1

# 7. A log viewer holds the log open, sharing reading and writing but not deleting: the record
# is written all the same, and the unattended run closes itself.
store HELD AUTOSTART_TICKBOX 1
store HELD AUTOCLOSE_TICKBOX 1
store HELD AlwaysOnTop_TICKBOX 0
mkdir -p "$work/HELD"
printf 'an older record\r\n' >"$work/HELD/HELD.LOG"
(cd "$work/HELD" && exec "$wine" "$helper" hold HELD.LOG 60 >held.txt 2>&1 </dev/null) &
pids+=("$!")
for _ in $(seq 100); do grep -q held "$work/HELD/held.txt" 2>/dev/null && break; sleep 0.1; done
check "the viewer holds the log" "$(tr -d '\r' <"$work/HELD/held.txt")" held
start HELD
wait_for_exit "$pid" 40
check "run with the log held closed itself" "${status:-still running}" 0
check "the record is in the held log" "$(grep -c '^Current UpTime = ' "$work/HELD/HELD.LOG")" 1
check "no failure told" "$(grep -c 'cannot write the log' "$work/HELD/stderr.txt")" 0

# 8. The DLL search is restricted before anything else: Wine's relay trace of the calls that
# matter shows SetDefaultDllDirectories (looked up at run time) and SetDllDirectoryW first, before
# the message box of --version. (A DLL planted beside the program cannot show it under Wine: its
# own DLLs load their on-demand DLLs as builtins, whatever the search; the unit tests plant one
# for LoadLibraryW.)
"$wine" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /f </dev/null >/dev/null 2>&1 \
    /d 'kernel32.SetDefaultDllDirectories;kernel32.SetDllDirectoryW;user32.MessageBoxW'
WINEDEBUG=+relay "$wine" "$exe" --version </dev/null >/dev/null 2>"$work/relay.txt" &
program=$!
pids+=("$program")
"$wine" "$helper" message-box RI-ZUZERU-VAVUZA </dev/null >/dev/null 2>&1 || true
wait_for_exit "$program" 10
check "first calls: the DLL search, then the rest" \
    "$(sed -n 's/.*Call [A-Za-z0-9]*\.\([A-Za-z]*\)(.*/\1/p' "$work/relay.txt" | head -3 | tr '\n' ' ' |
        sed 's/ $//')" \
    "SetDefaultDllDirectories SetDllDirectoryW MessageBoxW"
"$wine" reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f </dev/null >/dev/null 2>&1 || true

# 9. The command line: --help, --version and an unknown option answer in a message box, with
# no main window, and end with their exit status.
answer() {  # answer ARGS...: the box's text in $box, the exit status in $status
    "$wine" "$exe" "$@" </dev/null >/dev/null 2>&1 &
    local program=$!
    pids+=("$program")
    box=$("$wine" "$helper" message-box RI-ZUZERU-VAVUZA </dev/null 2>&1 | tr -d '\r')
    wait_for_exit "$program" 10
}
usage="Usage: RI-ZUZERU-VAVUZA [--log-and-close | --help | --version]"
answer --help
check "--help exit status" "${status:-still running}" 0
check "--help without the main window" "$(grep -c 'MAIN WINDOW OPEN' <<<"$box")" 0
check "--help shows the usage" "$(head -1 <<<"$box")" "$usage"
check "--help names the settings key" \
    "$(grep -c 'HKEY_CURRENT_USER\\Software\\QV_ZIV\\RI-ZUZERU-VAVUZA' <<<"$box")" 1
answer --version
check "--version exit status" "${status:-still running}" 0
check "--version shows the version" "$box" "RI-ZUZERU-VAVUZA $version"
answer --frobnicate
check "unknown option exit status" "${status:-still running}" 2
check "unknown option named" "$(head -1 <<<"$box")" \
    "RI-ZUZERU-VAVUZA: unknown option '--frobnicate'"
check "unknown option then where to learn more" "$(sed -n 2p <<<"$box")" \
    "Try 'RI-ZUZERU-VAVUZA --help' for more information."

report win32_end_to_end
