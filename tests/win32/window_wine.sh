#!/usr/bin/env bash
# The Windows program's window under Wine as a user handles it: closed while minimised or
# maximised and at the end of a session (the place stored is the one it is restored to), the
# timers inside modal loops of the system (a text box's context menu, a scroll bar held), and
# the keys in the multi-line record boxes (Esc, Tab, Shift+Tab, Enter). Child controls are
# clicked by their place in the client area (96 DPI: 15 twips a pixel).
set -uo pipefail  # not -e: every check runs, also after a failed one
exe=$1 helper=$2 wine=${3:-wine64}
source "$(dirname "$0")/wine_common.sh"
wine_test window
ask() { "$wine" "$helper" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
sleep_until() {  # sleep_until MS after $started
    local left=$(($1 - ($(now_ms) - started)))
    [ "$left" -gt 0 ] && sleep "$(awk -v ms="$left" 'BEGIN { print ms / 1000 }')"
    return 0
}
on_screen() {  # on_screen WINDOW: "yes" when its top-left corner lies on the 1280 x 1024 screen
    [ -n "$1" ] || { echo "no (not shown)"; return; }
    local X=none Y=none
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E '^(X|Y)=-?[0-9]+$')"
    [ "$X" != none ] && [ "$X" -ge 0 ] && [ "$X" -lt 1280 ] && [ "$Y" -ge 0 ] && [ "$Y" -lt 1024 ] &&
        echo yes || echo "no ($X, $Y)"
}
wait_for_log() {  # wait_for_log FILE SECONDS
    for _ in $(seq $(($2 * 10))); do [ -f "$1" ] && return 0; sleep 0.1; done
    return 1
}

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
    wait_for_exit "$pid" 15
    check "closed while $how" "${status:-still running}" 0
    check "MAIN_Left stored while $how is the restored place" "$(stored "$name" MAIN_Left)" 1000
    check "MAIN_Top stored while $how is the restored place" "$(stored "$name" MAIN_Top)" 1000
    start "$name"
    check "after closing while $how the next start is on screen" "$(on_screen "$win")" yes
    close
done

# A place stored far off the screen (a screen that is gone: Wine would not even map the window
# there): the window opens on the screen.
store FAR MAIN_Left 60000
store FAR MAIN_Top 40000
store FAR AlwaysOnTop_TICKBOX 0
start FAR
check "a place stored off the screen opens on it" "$(on_screen "$win")" yes
close
check "closed after opening on the screen" "${status:-still running}" 0

# 2. The timers go on inside a context menu of the uptime display, held open from 2 s to past
# the log time: the record of an Auto Start run is written on time (about 11 s).
store MENU AUTOSTART_TICKBOX 1
store MENU AUTOCLOSE_TICKBOX 0
store MENU AlwaysOnTop_TICKBOX 0
start MENU
sleep_until 2000
click "$win" 200 66 3  # QV_UPTIME_DISPLAY_TEXTBOX, right button: the box's own menu
sleep 0.5
check "the display's context menu is open" "$(ask menu-open)" yes
if wait_for_log "$work/MENU/MENU.LOG" 12; then
    echo "record written $(($(now_ms) - started)) ms after the start, with the menu open"
fi
elapsed=$(($(now_ms) - started))
[ "$elapsed" -le 13500 ] && pass "the record was written on time" ||
    fail "no record by $elapsed ms with the menu open (due at 11000 ms)"
check "the menu was open all along" "$(ask menu-open)" yes
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
[ -n "$before" ] && [ "$before" != "$after" ] && pass "the display follows while the scroll bar is held" ||
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
check "Esc in the record box leaves the program running" "$(kill -0 "$pid" 2>/dev/null && echo running || echo ended)" running
check "the record box keeps the focus after Esc" "$(ask focus-id)" "$box"
xdotool key Tab
sleep 0.3
after_tab=$(ask focus-id)
[ -n "$after_tab" ] && [ "$after_tab" != "$box" ] && pass "Tab leaves the record box" ||
    fail "Tab stayed in the record box ($box)"
click "$win" 408 132
sleep 0.3
xdotool key shift+Tab
sleep 0.3
after_back=$(ask focus-id)
[ -n "$after_back" ] && [ "$after_back" != "$box" ] && [ "$after_back" != "$after_tab" ] &&
    pass "Shift+Tab leaves the record box backwards" ||
    fail "Shift+Tab: focus on [$after_back] (box $box, after Tab $after_tab)"
click "$win" 160 104  # ABOUT_BUTTON
about=$(find_window 5 --name "$about_title")
[ -n "$about" ] || fail "About did not open"
read -r ax ay <<<"$(ask client-origin QV_ZIV_ABOUT)"
# About's OUTPUT_REPORT_TEXTBOX: 240, 1560, 5175 x 1845 twips.
xdotool mousemove $((ax + 188)) $((ay + 165)) click 1
sleep 0.3
[ "$(ask focus)" != OK ] && pass "About's record box has the focus" ||
    fail "About's record box did not take the focus"
xdotool key Return
check "Enter in About's record box presses OK" "$(gone_within 3 --name "$about_title")" yes
check "the main window stays open" "$(kill -0 "$pid" 2>/dev/null && echo running || echo ended)" running
close

report win32_window_behaviour
