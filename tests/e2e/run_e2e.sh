#!/usr/bin/env bash
# End-to-end checks of the real program: an X server (Xvfb) with a window manager (openbox),
# a private settings folder, the window found, measured and closed as a user would close it,
# and whole unattended runs with a boot clock the test sets (preloaded library, argument 2).
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/e2e_common.sh"
x_test end_to_end "$@"
bin=$(readlink -f "$1")
boot_clock=$(readlink -f "$2")
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
# A sanitizer build must accept the preloaded clock ahead of its runtime.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
conf=$XDG_CONFIG_HOME/QV_ZIV.conf
start_window_manager

app_pid=
start_app() {  # start_app [ARGS...]
    (cd "$work" && exec "$bin" "$@" 2>"$work/stderr") &
    app_pid=$!
    window=$(find_window 10 --name '^RI-ZUZERU-VAVUZA$')
    # Let the window manager frame it and the program fit its client area.
    sleep 0.7
}

close_app() {  # closes as a user would; the exit status lands in $status
    wmctrl -i -c "$window"
    status=0
    wait "$app_pid" || status=$?
}

# 1. First start: default place and size, then a close saves placement and options. The window
#    is its desktop entry's: the class of WM_CLASS is the entry's StartupWMClass.
start_app
check "first window found" "$([ -n "$window" ] && echo yes)" yes
check "default outer geometry (px)" "$(outer_geometry)" "67 67 292 155"
entry=$(dirname "$(readlink -f "$0")")/../../resources/linux/org.example.ri_zuzeru_vavuza.desktop
check "WM_CLASS names the desktop entry's class" \
    "$(xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')" \
    "$(sed -n 's/^StartupWMClass=//p' "$entry")"
close_app
check "exit status after close" "$status" 0
check "saved left" "$(setting MAIN_Left)" 1000
check "saved top" "$(setting MAIN_Top)" 1000
check "saved always on top" "$(setting AlwaysOnTop_TICKBOX)" 1
check "saved auto start" "$(setting AUTOSTART_TICKBOX)" 0
check "size never saved" "$(setting MAIN_Width)" ""

# 2. A stored place and Auto Start are restored, and saved back as they are; started as a session
#    manager restarts a program, with Qt's own options.
sed -i 's/^MAIN_Left=.*/MAIN_Left=3000/; s/^AUTOSTART_TICKBOX=.*/AUTOSTART_TICKBOX=1/' "$conf"
start_app -session 10d3f5a6b7c8 -style fusion
check "restored outer geometry (px)" "$(outer_geometry)" "200 67 292 155"
close_app
check "exit status after close" "$status" 0
check "kept left" "$(setting MAIN_Left)" 3000
check "kept auto start" "$(setting AUTOSTART_TICKBOX)" 1

# 3. A hand-edited text that is no number: one line on stderr, the default, a sound save.
sed -i 's/^MAIN_Top=.*/MAIN_Top=upper edge/' "$conf"
start_app
check "window despite a bad setting" "$([ -n "$window" ] && echo yes)" yes
close_app
check "exit status after close" "$status" 0
check "warning names key and text" "$(grep -c 'MAIN_Top holds "upper edge"' "$work/stderr")" 1
check "sound value saved back" "$(setting MAIN_Top)" 1000

# 4. An unattended run: Auto Start and Auto Close ticked, a chosen uptime, a fresh working folder.
printf '[RI-ZUZERU-VAVUZA]\nAUTOSTART_TICKBOX=1\nAUTOCLOSE_TICKBOX=1\nMAIN_Left=1500\n' >"$conf"
mkdir "$work/run"
started=$(date +%s%N)
(cd "$work/run" && COMPUTERNAME=E2E-PC LC_TIME=en_GB.UTF-8 RZV_FAKE_UPTIME_MS=273900000 \
    LD_PRELOAD="$boot_clock" exec "$bin" 2>"$work/stderr") &
app_pid=$!
wait_for_exit "$app_pid" 25
check "unattended run ends by itself" "$status" 0
elapsed=$(seconds_since "$started")
check "it closes after about 21 s" "$([ "$elapsed" -ge 20 ] && [ "$elapsed" -le 25 ] && echo yes)" yes
log=$work/run/RI-ZUZERU-VAVUZA.LOG
check "log written in the working folder" "$([ -f "$log" ] && echo yes)" yes
check "nine lines, each ending in CR LF" "$(grep -c $'\r$' "$log") $(wc -l <"$log")" "9 9"
line() { sed -n "$1p" "$log" | tr -d '\r'; }
check "line 1" "$(line 1)" "========================================================"
check "line 2" "$(line 2)" "- QUORVANE - RI-ZUZERU-VAVUZA - QV-ZIV -"
check "line 4 is the British date and time" \
    "$(line 4 | grep -cE '^- [0-9]{2}/[0-9]{2}/[0-9]{4} - [0-9]{2}:[0-9]{2}:[0-9]{2} -$')" 1
check "line 5" "$(line 5)" "PC Name = E2E-PC"
check "line 6 is the chosen uptime plus the run" \
    "$(line 6 | grep -cE '^Current UpTime = 3d, 4h, 5m, (9|10|11|12|13)s$')" 1
check "line 8 is empty" "$(line 8)" ""
check "options saved at the auto close" "$(setting AUTOSTART_TICKBOX) $(setting AUTOCLOSE_TICKBOX)" "1 1"
check "place saved at the auto close" "$(setting MAIN_Left) $(setting MAIN_Top)" "1500 1000"

# 5. The same run where the log can be written nowhere (a start folder and a home the user may
#    not write to): the program says so and stays open. Root may write anywhere, so it runs as
#    nobody.
nobody=65534
mkdir -p "$work/readonly" "$work/nobody/config" "$work/nobody/runtime" "$work/bin"
cp "$bin" "$boot_clock" "$work/bin/"
printf '[RI-ZUZERU-VAVUZA]\nAUTOSTART_TICKBOX=1\nAUTOCLOSE_TICKBOX=1\n' >"$work/nobody/config/QV_ZIV.conf"
cp "${XAUTHORITY:-/dev/null}" "$work/nobody/xauth" 2>/dev/null || true
chown -R "$nobody:$nobody" "$work/nobody"
chmod 700 "$work/nobody/runtime"
chmod 555 "$work/readonly" "$work/nobody"
(cd "$work/readonly" && exec setpriv --reuid=$nobody --regid=$nobody --clear-groups \
    env HOME="$work/nobody" XDG_CONFIG_HOME="$work/nobody/config" \
    XDG_RUNTIME_DIR="$work/nobody/runtime" XAUTHORITY="$work/nobody/xauth" \
    RZV_FAKE_UPTIME_MS=273900000 LD_PRELOAD="$work/bin/$(basename "$boot_clock")" \
    "$work/bin/$(basename "$bin")" 2>"$work/nobody/stderr") &
app_pid=$!
wait_for_exit "$app_pid" 25
check "still running at 25 s" "${status:-running}" running
check "no log file appears" "$(ls -A "$work/readonly" | wc -l)" 0
check "stderr names the file and the reason" \
    "$(grep -c 'cannot write the log file RI-ZUZERU-VAVUZA.LOG: ' "$work/nobody/stderr")" 1
if [ -z "$status" ]; then
    wmctrl -c RI-ZUZERU-VAVUZA
    wait_for_exit "$app_pid" 10
    check "closes normally afterwards" "$status" 0
fi

# 6. The always-on-top keeper: another always-on-top window takes the foreground; within two
#    seconds it has left the band and ours is in it. A dock keeps its band past three of the
#    keeper's ticks, and ours enters it all the same. With the option clear at start-up,
#    nothing changes.
for option in 1 dock 0; do
    printf '[RI-ZUZERU-VAVUZA]\nAlwaysOnTop_TICKBOX=%s\n' "${option/dock/1}" >"$conf"
    start_app
    xmessage -title other-window "another window" >/dev/null 2>&1 &
    other_pid=$!
    other=$(find_window 10 --name '^other-window$')
    [ "$option" != dock ] ||
        xprop -id "$other" -f _NET_WM_WINDOW_TYPE 32a -set _NET_WM_WINDOW_TYPE \
            _NET_WM_WINDOW_TYPE_DOCK
    wmctrl -i -r "$other" -b add,above
    wmctrl -i -a "$other"
    sleep 2
    if [ "$option" = 1 ]; then
        check "keeper: the other window left the band" "$(above "$other")" 0
        check "keeper: ours is in the band" "$(above "$window")" 1
    elif [ "$option" = dock ]; then
        sleep 1.5
        check "keeper: the dock has the foreground" \
            "$(printf '0x%x' "$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')")" \
            "$(printf '0x%x' "$other")"
        check "keeper: the dock keeps its band" "$(above "$other")" 1
        check "keeper: ours is in the band beside the dock" "$(above "$window")" 1
    else
        check "no keeper: the other window stays above" "$(above "$other")" 1
        check "no keeper: ours stays ordinary" "$(above "$window")" 0
    fi
    kill "$other_pid"
    close_app
    check "exit status after close" "$status" 0
done

# 7. An unattended run with the About window open when the auto close comes: the About window
#    closes first (its position saved), then the program, with status 0.
printf '[RI-ZUZERU-VAVUZA]\nAUTOSTART_TICKBOX=1\nAUTOCLOSE_TICKBOX=1\n' >"$conf"
rm -f "$work/RI-ZUZERU-VAVUZA.LOG"
start_app
xdotool mousemove --window "$window" 160 104 click 1  # the About button
about=$(find_window 5 --name 'ABOUT$')
check "About window open during the run" "$([ -n "$about" ] && echo yes)" yes
wait_for_exit "$app_pid" 25
check "auto close with About open ends with status 0" "${status:-still running}" 0
check "the record was written" "$([ -f "$work/RI-ZUZERU-VAVUZA.LOG" ] && echo yes)" yes
check "About position saved" "$(setting ABOUT_Left) $(setting ABOUT_Top)" "1000 1000"
check "main window saved" "$(setting MAIN_Left) $(setting AUTOCLOSE_TICKBOX)" "1000 1"

# 8. Without a display: one clear line, no Qt plugin dump.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" 2>"$work/nodisplay" || status=$?
check "status without a display" "$status" 2
check "one line without a display" "$(wc -l <"$work/nodisplay")" 1
check "it names xvfb-run" "$(grep -c xvfb-run "$work/nodisplay")" 1

# 9. Termination requests close the program as the close button does, whenever they come: at
#    the first moment the program can hear them (long before its window exists), during a run,
#    with About open. With the fault box open, they end the program with the fault's status.
handles_sigterm() {  # the process has its handler for SIGTERM (bit 15 of SigCgt)
    local mask
    mask=$(sed -n 's/^SigCgt:\t*//p' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (((0x$mask >> 14) & 1))
}
for signal in TERM INT HUP; do
    printf '[RI-ZUZERU-VAVUZA]\nMAIN_Left=2000\n' >"$conf"
    (cd "$work" && exec "$bin" 2>"$work/stderr") &
    app_pid=$!
    for _ in $(seq 2000); do handles_sigterm "$app_pid" && break; done
    kill -s "$signal" "$app_pid"
    wait_for_exit "$app_pid" 10
    check "SIG$signal during start-up closes with status 0" "${status:-still running}" 0
    check "SIG$signal during start-up saves" "$(setting MAIN_Left) $(setting AlwaysOnTop_TICKBOX)" \
        "2000 1"
done
printf '[RI-ZUZERU-VAVUZA]\nAUTOSTART_TICKBOX=1\nAUTOCLOSE_TICKBOX=1\n' >"$conf"
rm -f "$work/RI-ZUZERU-VAVUZA.LOG"
start_app
sleep 2
kill -TERM "$app_pid"
wait_for_exit "$app_pid" 10
check "SIGTERM during a run closes with status 0" "${status:-still running}" 0
check "a run ended by SIGTERM writes no log" "$([ -f "$work/RI-ZUZERU-VAVUZA.LOG" ] && echo yes)" ""
check "a run ended by SIGTERM saves its options" "$(setting AUTOCLOSE_TICKBOX)" 1
printf '[RI-ZUZERU-VAVUZA]\nABOUT_Left=2500\n' >"$conf"
start_app
xdotool mousemove --window "$window" 160 104 click 1  # the About button
about=$(find_window 5 --name 'ABOUT$')
check "About open before SIGTERM" "$([ -n "$about" ] && echo yes)" yes
kill -TERM "$app_pid"
wait_for_exit "$app_pid" 10
check "SIGTERM with About open closes with status 0" "${status:-still running}" 0
check "SIGTERM with About open saves both windows" "$(setting ABOUT_Left) $(setting MAIN_Left)" \
    "2500 1000"
# A boot count past the tick value's range is a numeric fault: its message box waits for OK.
printf '[RI-ZUZERU-VAVUZA]\nAUTOSTART_TICKBOX=1\n' >"$conf"
(cd "$work" && RZV_FAKE_UPTIME_MS=922337203685478 LD_PRELOAD="$boot_clock" exec "$bin" \
    2>"$work/stderr") &
app_pid=$!
find_window 10 --name '^RI-ZUZERU-VAVUZA$' >/dev/null
sleep 1
kill -TERM "$app_pid"
wait_for_exit "$app_pid" 5
check "SIGTERM with the fault box open ends with the fault's status" "${status:-still running}" 1
check "the fault was reported on stderr" "$(grep -c 'numeric fault' "$work/stderr")" 1
[ -z "$status" ] && kill -KILL "$app_pid"

report end_to_end
