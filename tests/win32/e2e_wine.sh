#!/usr/bin/env bash
# The real Windows program under Wine, on the current X display with a window manager, as a
# user would meet it: its window, a logging run started by a click, the settings it stores, a
# bad stored value, an unattended run, the keeper against a rival window, the About window and
# the end of a session, a log held open by a viewer, the DLL search restricted first, and the
# command line's answers in a message box. Child controls are not X windows: they are clicked by their place in
# the client area (96 DPI: 15 twips a pixel). Asserts on texts and stored values, not timing.
set -euo pipefail
exe=$1 helper=$2 wine=${3:-wine64} version=${4:-}
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
work=$(mktemp -d /tmp/rzv-e2e.XXXXXX)
failures=0
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check WHAT EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then echo "ok: $1"; else fail "$1: expected [$2], got [$3]"; fi
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# start NAME: runs the program as NAME.exe in a folder of its own (its own log and settings
# section); sets $pid and $win.
start() {
    local name=$1
    mkdir -p "$work/$name"
    cp "$exe" "$work/$name/$name.exe"
    local before
    before=$(xdotool search --name '^RI-ZUZERU-VAVUZA$' 2>/dev/null | sort || true)
    (cd "$work/$name" && exec "$wine" "$name.exe" >stdout.txt 2>stderr.txt) &
    pid=$!
    pids+=("$pid")
    win=
    for _ in $(seq 200); do
        win=$(comm -13 <(echo "$before") \
            <(xdotool search --onlyvisible --name '^RI-ZUZERU-VAVUZA$' 2>/dev/null | sort) |
            head -1)
        [ -n "$win" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    [ -n "$win" ] || fail "$name: no window appeared"
}
stored() {  # stored NAME KEY
    "$wine" reg query "HKCU\\Software\\QV_ZIV\\$1" /v "$2" 2>/dev/null </dev/null |
        tr -d '\r' | awk -v k="$2" '$1 == k { print $3 }'
}
store() { "$wine" reg add "HKCU\\Software\\QV_ZIV\\$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1; }
wait_exit() {  # wait_exit PID SECONDS: sets $status to the exit status, or "running"
    status=running
    for _ in $(seq $(($2 * 10))); do
        if ! kill -0 "$1" 2>/dev/null; then
            status=0
            wait "$1" || status=$?
            return
        fi
        sleep 0.1
    done
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
close_window() { wmctrl -i -c "$1"; }
above() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -c _NET_WM_STATE_ABOVE || true; }
# The uptime in the log's "Current UpTime = 0d, 1h, 2m, 3s" line, in seconds.
logged_seconds() {
    tr -d '\r' <"$1" | sed -n 's/^Current UpTime = \(-*[0-9]*\)d, \(-*[0-9]*\)h, \(-*[0-9]*\)m, \(-*[0-9]*\)s$/\1 \2 \3 \4/p' |
        awk '{ print $1 * 86400 + $2 * 3600 + $3 * 60 + $4 }'
}

# The prefix is the test's own: start from an empty store.
"$wine" reg delete 'HKCU\Software\QV_ZIV' /f </dev/null >/dev/null 2>&1 || true

# 1. The window, its title and size; START clicked; the record about 11 s later.
t0=$(now_ms)
start CLICKED
echo "start-up to a visible window: $(($(now_ms) - t0)) ms"
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
width=${geometry%x*} height=${geometry#*x}
# 4380 x 2325 twips outside: a client area of about 290 x 130 pixels inside the frame.
[ "$width" -ge 260 ] && [ "$width" -le 292 ] && [ "$height" -ge 100 ] && [ "$height" -le 155 ] &&
    echo "ok: client area ${geometry}" || fail "client area ${geometry}"
click "$win" 236 104  # START_STOP_BUTTON
for _ in $(seq 150); do [ -f "$work/CLICKED/CLICKED.LOG" ] && break; sleep 0.1; done
log=$work/CLICKED/CLICKED.LOG
if [ -f "$log" ]; then
    ticks=$("$wine" "$helper" ticks </dev/null | tr -d '\r')
    check "log has nine lines" 9 "$(wc -l <"$log")"
    check "every line ends in CR LF" 9 "$(grep -c $'\r$' "$log")"
    check "title line" "- QUORVANE - RI-ZUZERU-VAVUZA - QV-ZIV -" "$(sed -n 2p "$log" | tr -d '\r')"
    check "pc name" "PC Name = ${COMPUTERNAME:-$(tr -d '\r' <"$log" | sed -n 's/^PC Name = //p')}" \
        "$(sed -n 5p "$log" | tr -d '\r')"
    drift=$(($(logged_seconds "$log") - ticks / 1000))
    [ "${drift#-}" -le 3 ] && echo "ok: logged uptime agrees with Wine's tick count" ||
        fail "logged uptime off by $drift s"
else
    fail "no log 15 s after START"
fi
close_window "$win"
wait_exit "$pid" 10
check "closed by the close button" 0 "$status"
check "MAIN_Left stored" 1000 "$(stored CLICKED MAIN_Left)"
check "AlwaysOnTop_TICKBOX stored" 1 "$(stored CLICKED AlwaysOnTop_TICKBOX)"
check "AUTOCLOSE_TICKBOX stored" 0 "$(stored CLICKED AUTOCLOSE_TICKBOX)"

# 2. Bad stored texts: the defaults, a warning, and the program runs on.
store BAD MAIN_Left abc
store BAD AUTOSTART_TICKBOX 7
WINEDEBUG=warn+seh start BAD  # Wine 8 tells OutputDebugString* on the "seh" channel
grep -q "MAIN_Left" "$work/BAD/stderr.txt" && echo "ok: warned of the bad MAIN_Left" ||
    fail "no warning for the bad MAIN_Left"
# Without a console the warning must reach the debugger output, where Windows users see it.
debugger_line='OutputDebugString[AW] "RI-ZUZERU-VAVUZA: setting MAIN_Left holds'
for _ in $(seq 20); do grep -q "$debugger_line" "$work/BAD/stderr.txt" && break; sleep 0.1; done
check "the warning is in the debugger output" 1 "$(grep -c "$debugger_line" "$work/BAD/stderr.txt")"
close_window "$win"
wait_exit "$pid" 10
check "bad program closed" 0 "$status"
check "bad MAIN_Left replaced by the default" 1000 "$(stored BAD MAIN_Left)"
check "bad AUTOSTART_TICKBOX replaced by the default" 0 "$(stored BAD AUTOSTART_TICKBOX)"

# 3. The keeper: a rival Wine window made topmost loses the band to ours within a second or two.
start KEEPER
"$wine" "$helper" rival </dev/null >/dev/null 2>&1 &
rival_pid=$!
pids+=("$rival_pid")
rival=
for _ in $(seq 100); do
    rival=$(xdotool search --onlyvisible --name '^RIVAL$' 2>/dev/null | head -1) && [ -n "$rival" ] && break
    sleep 0.05
done
sleep 2.5
check "rival left the top band" 0 "$(above "$rival")"
check "main window in the top band" 1 "$(above "$win")"
kill "$rival_pid" 2>/dev/null || true

# 4. About: opens by its button, Enter (OK) and Esc close it, its place is stored.
for key in Return Escape; do
    click "$win" 160 104  # ABOUT_BUTTON
    about=
    for _ in $(seq 100); do
        about=$(xdotool search --onlyvisible --name '^RI-ZUZERU-VAVUZA - ABOUT$' 2>/dev/null | head -1) &&
            [ -n "$about" ] && break
        sleep 0.05
    done
    [ -n "$about" ] && echo "ok: About opened" || fail "About did not open"
    # The key goes where the focus is: wait until OK has it, as it must right after opening.
    for _ in $(seq 20); do
        [ "$("$wine" "$helper" focus </dev/null | tr -d '\r')" = OK ] && break
        sleep 0.1
    done
    xdotool windowactivate --sync "$about" key "$key" 2>/dev/null || xdotool key "$key"
    gone=no
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^RI-ZUZERU-VAVUZA - ABOUT$' >/dev/null 2>&1 || { gone=yes; break; }
        sleep 0.1
    done
    check "About closed by $key" yes "$gone"
    check "the focus is back on About after $key" About \
        "$("$wine" "$helper" focus </dev/null | tr -d '\r')"
done
check "ABOUT_Left stored" 1000 "$(stored KEEPER ABOUT_Left)"

# 5. The end of the session saves as the close button does: Auto Start ticked, then the end.
click "$win" 40 64  # AUTOSTART_TICKBOX
sleep 1  # taken in before the session ends, however busy the machine
"$wine" wineboot --end-session </dev/null >/dev/null 2>&1 || true
wait_exit "$pid" 15
check "ended with the session" 0 "$status"
check "Auto Start saved at the session's end" 1 "$(stored KEEPER AUTOSTART_TICKBOX)"

# 6. Auto Start and Auto Close: it logs and closes itself, about 21 s after it starts.
store UNATTENDED AUTOSTART_TICKBOX 1
store UNATTENDED AUTOCLOSE_TICKBOX 1
store UNATTENDED AlwaysOnTop_TICKBOX 0
start UNATTENDED
wait_exit "$pid" 40
check "unattended run closed itself" 0 "$status"
[ -f "$work/UNATTENDED/UNATTENDED.LOG" ] && echo "ok: unattended log written" ||
    fail "no unattended log"
check "options saved by the auto close" 1 "$(stored UNATTENDED AUTOCLOSE_TICKBOX)"

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
check "the viewer holds the log" held "$(tr -d '\r' <"$work/HELD/held.txt")"
start HELD
wait_exit "$pid" 40
check "run with the log held closed itself" 0 "$status"
check "the record is in the held log" 1 "$(grep -c '^Current UpTime = ' "$work/HELD/HELD.LOG")"
check "no failure told" 0 "$(grep -c 'cannot write the log' "$work/HELD/stderr.txt")"

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
wait_exit "$program" 10
check "first calls: the DLL search, then the rest" \
    "SetDefaultDllDirectories SetDllDirectoryW MessageBoxW" \
    "$(sed -n 's/.*Call [A-Za-z0-9]*\.\([A-Za-z]*\)(.*/\1/p' "$work/relay.txt" | head -3 | tr '\n' ' ' |
        sed 's/ $//')"
"$wine" reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f </dev/null >/dev/null 2>&1 || true

# 9. The command line: --help, --version and an unknown option answer in a message box, with
# no main window, and end with their exit status.
answer() {  # answer ARGS...: the box's text in $box, the exit status in $status
    "$wine" "$exe" "$@" </dev/null >/dev/null 2>&1 &
    local program=$!
    pids+=("$program")
    box=$("$wine" "$helper" message-box RI-ZUZERU-VAVUZA </dev/null 2>&1 | tr -d '\r')
    wait_exit "$program" 10
}
usage="Usage: RI-ZUZERU-VAVUZA [--help | --version]"
answer --help
check "--help exit status" 0 "$status"
check "--help without the main window" 0 "$(grep -c 'MAIN WINDOW OPEN' <<<"$box")"
check "--help shows the usage" "$usage" "$(head -1 <<<"$box")"
check "--help names the settings key" 1 "$(grep -c 'HKEY_CURRENT_USER\\Software\\QV_ZIV\\RI-ZUZERU-VAVUZA' <<<"$box")"
answer --version
check "--version exit status" 0 "$status"
check "--version shows the version" "RI-ZUZERU-VAVUZA $version" "$box"
answer --frobnicate
check "unknown option exit status" 2 "$status"
check "unknown option named" "RI-ZUZERU-VAVUZA: unknown option '--frobnicate'" "$(head -1 <<<"$box")"
check "unknown option then the usage" "$usage" "$(sed -n 2p <<<"$box")"

echo "end to end under Wine: $failures failed"
[ "$failures" -eq 0 ]
