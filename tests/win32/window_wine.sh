#!/usr/bin/env bash
# The Windows program's window under Wine as a user handles it: closed while minimised or
# maximised and at the end of a session (the place stored is the one it is restored to), the
# timers inside modal loops of the system (a text box's context menu, a scroll bar held), and
# the keys in the multi-line record boxes (Esc, Tab, Shift+Tab, Enter). Child controls are
# clicked by their place in the client area (96 DPI: 15 twips a pixel).
set -uo pipefail  # not -e: every check runs, also after a failed one
exe=$1 helper=$2 wine=${3:-wine64}
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
work=$(mktemp -d /tmp/rzv-window.XXXXXX)
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
ask() { "$wine" "$helper" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# start NAME: runs the program as NAME.exe in a folder of its own (its own log and settings
# section); sets $pid, $win and $started (ms, when the window showed).
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
    started=$(now_ms)  # the window is shown right after its load has started the timers
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
sleep_until() {  # sleep_until MS after $started
    local left=$(($1 - ($(now_ms) - started)))
    [ "$left" -gt 0 ] && sleep "$(awk -v ms="$left" 'BEGIN { print ms / 1000 }')"
    return 0
}
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; }
on_screen() {  # on_screen WINDOW: "yes" when its top-left corner lies on the 1280 x 1024 screen
    [ -n "$1" ] || { echo "no (not shown)"; return; }
    local X=none Y=none
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E '^(X|Y)=-?[0-9]+$')"
    [ "$X" != none ] && [ "$X" -ge 0 ] && [ "$X" -lt 1280 ] && [ "$Y" -ge 0 ] && [ "$Y" -lt 1024 ] &&
        echo yes || echo "no ($X, $Y)"
}
close() {  # close: the program's window by its close button, or the program when none showed
    if [ -n "$win" ]; then wmctrl -i -c "$win" || true; else kill "$pid" 2>/dev/null || true; fi
    wait_exit "$pid" 10
}
wait_for_log() {  # wait_for_log FILE SECONDS
    for _ in $(seq $(($2 * 10))); do [ -f "$1" ] && return 0; sleep 0.1; done
    return 1
}

"$wine" reg delete 'HKCU\Software\QV_ZIV' /f </dev/null >/dev/null 2>&1 || true

# 1. Closed while minimised, while maximised, and at the end of a session while minimised: the
# place stored is the one the window is restored to, and the next start is on screen.
for how in minimised maximised session; do
    name=PLACE_$how
    store "$name" AlwaysOnTop_TICKBOX 0
    start "$name"
    case $how in
        maximised) wmctrl -i -r "$win" -b add,maximized_vert,maximized_horz ;;
        *) xdotool windowminimize "$win" ;;
    esac
    sleep 1
    if [ "$how" = session ]; then
        "$wine" wineboot --end-session </dev/null >/dev/null 2>&1 || true
    else
        wmctrl -i -c "$win" || true
    fi
    wait_exit "$pid" 15
    check "closed while $how" 0 "$status"
    check "MAIN_Left stored while $how is the restored place" 1000 "$(stored "$name" MAIN_Left)"
    check "MAIN_Top stored while $how is the restored place" 1000 "$(stored "$name" MAIN_Top)"
    start "$name"
    check "after closing while $how the next start is on screen" yes "$(on_screen "$win")"
    close
done

# 2. The timers go on inside a context menu of the uptime display, held open from 2 s to past
# the log time: the record of an Auto Start run is written on time (about 11 s).
store MENU AUTOSTART_TICKBOX 1
store MENU AUTOCLOSE_TICKBOX 0
store MENU AlwaysOnTop_TICKBOX 0
start MENU
sleep_until 2000
click "$win" 200 66 3  # QV_UPTIME_DISPLAY_TEXTBOX, right button: the box's own menu
sleep 0.5
check "the display's context menu is open" yes "$(ask menu-open)"
if wait_for_log "$work/MENU/MENU.LOG" 12; then
    echo "record written $(($(now_ms) - started)) ms after the start, with the menu open"
fi
elapsed=$(($(now_ms) - started))
[ "$elapsed" -le 13500 ] && echo "ok: the record was written on time" ||
    fail "no record by $elapsed ms with the menu open (due at 11000 ms)"
check "the menu was open all along" yes "$(ask menu-open)"
xdotool key Escape
close

# 3. A report box's scroll bar held for a second and more: the display follows. The record of
# an Auto Start run fills the enlarged window's OUTPUT_REPORT_TEXTBOX past its height.
store SCROLL AUTOSTART_TICKBOX 1
store SCROLL AUTOCLOSE_TICKBOX 0
store SCROLL AlwaysOnTop_TICKBOX 0
start SCROLL
xdotool windowsize "$win" 850 560
wait_for_log "$work/SCROLL/SCROLL.LOG" 15 || fail "no record for the scroll bar"
sleep 0.5
# OUTPUT_REPORT_TEXTBOX: 4320, 1080, 3615 x 1845 twips; its vertical scroll bar's thumb at the
# top of the bar, right below the arrow.
xdotool mousemove --window "$win" 519 96 mousedown 1 mousemove --window "$win" 519 98
sleep 0.3
before=$(ask display)
sleep 1.6
after=$(ask display)
xdotool mouseup 1
echo "display while the scroll bar was held: [$before], then [$after]"
[ -n "$before" ] && [ "$before" != "$after" ] && echo "ok: the display follows while the scroll bar is held" ||
    fail "the display stood still while the scroll bar was held: [$before] [$after]"
close

# 4. Keys in the record boxes. In the enlarged main window: Esc in OUTPUT_REPORT_TEXTBOX leaves
# the program running; Tab and Shift+Tab leave the box. In About: Enter in its record box
# presses OK.
store KEYS AlwaysOnTop_TICKBOX 0
start KEYS
xdotool windowsize "$win" 850 560
sleep 0.5
click "$win" 408 132  # OUTPUT_REPORT_TEXTBOX
sleep 0.3
box=$(ask focus-id)
xdotool key Escape
sleep 1
check "Esc in the record box leaves the program running" running "$(kill -0 "$pid" 2>/dev/null && echo running || echo ended)"
check "the record box keeps the focus after Esc" "$box" "$(ask focus-id)"
xdotool key Tab
sleep 0.3
after_tab=$(ask focus-id)
[ -n "$after_tab" ] && [ "$after_tab" != "$box" ] && echo "ok: Tab leaves the record box" ||
    fail "Tab stayed in the record box ($box)"
click "$win" 408 132
sleep 0.3
xdotool key shift+Tab
sleep 0.3
after_back=$(ask focus-id)
[ -n "$after_back" ] && [ "$after_back" != "$box" ] && [ "$after_back" != "$after_tab" ] &&
    echo "ok: Shift+Tab leaves the record box backwards" ||
    fail "Shift+Tab: focus on [$after_back] (box $box, after Tab $after_tab)"
click "$win" 160 104  # ABOUT_BUTTON
about=
for _ in $(seq 100); do
    about=$(xdotool search --onlyvisible --name '^RI-ZUZERU-VAVUZA - ABOUT$' 2>/dev/null | head -1) &&
        [ -n "$about" ] && break
    sleep 0.05
done
[ -n "$about" ] || fail "About did not open"
read -r ax ay <<<"$(ask client-origin QV_ZIV_ABOUT)"
# About's OUTPUT_REPORT_TEXTBOX: 240, 1560, 5175 x 1845 twips.
xdotool mousemove $((ax + 188)) $((ay + 165)) click 1
sleep 0.3
[ "$(ask focus)" != OK ] && echo "ok: About's record box has the focus" ||
    fail "About's record box did not take the focus"
xdotool key Return
gone=no
for _ in $(seq 30); do
    xdotool search --onlyvisible --name '^RI-ZUZERU-VAVUZA - ABOUT$' >/dev/null 2>&1 || { gone=yes; break; }
    sleep 0.1
done
check "Enter in About's record box presses OK" yes "$gone"
check "the main window stays open" running "$(kill -0 "$pid" 2>/dev/null && echo running || echo ended)"
close

echo "window behaviour under Wine: $failures failed"
[ "$failures" -eq 0 ]
