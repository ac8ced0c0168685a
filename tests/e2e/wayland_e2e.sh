#!/usr/bin/env bash
# The real program on Wayland desktops, under real compositors without a screen: GNOME's (mutter)
# with Xwayland and without it, and weston with and without Xwayland. The program gets only what
# a Wayland session gives it (WAYLAND_DISPLAY, XDG_SESSION_TYPE, DISPLAY, XAUTHORITY); the Qt
# platform it took is read from the libraries it mapped.
set -euo pipefail
bin=$(readlink -f "$1")
source "$(dirname "$(readlink -f "$0")")/e2e_common.sh"
if [ -z "${RZV_WAYLAND_INNER:-}" ]; then
    require_tools wayland_e2e mutter weston Xwayland dbus-run-session unshare xdotool xprop wmctrl \
        xmessage
    # Both compositors want a world-writable /tmp/.X11-unix for Xwayland's sockets; a private
    # one, in a mount namespace of the test's own, leaves the machine's as it is.
    [ "$(id -u)" -eq 0 ] || { echo "wayland_e2e: needs root (a private /tmp/.X11-unix)"; exit 1; }
    mkdir -p /tmp/.X11-unix
    RZV_WAYLAND_INNER=1 exec unshare -m --propagation private "$0" "$@"
fi
mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix

work=$(mktemp -d)
chmod 755 "$work"
compositors=()
cleanup() {
    # The compositors and buses outlive the D-Bus session they were started in: end each by its
    # own id.
    for pid in "${compositors[@]}"; do kill "$pid" 2>/dev/null || true; done
    kill $(jobs -p) 2>/dev/null || true
    sleep 0.3
    for pid in "${compositors[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
begun=$(date +%s%N)

note() { echo "wayland: $*"; }
millis() { echo $((($(date +%s%N) - $1) / 1000000)); }

# until_true SECONDS COMMAND...: polls every 0.1 s; false when the time ran out.
until_true() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    until "${@:2}"; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# The Qt platform plugin a process has loaded, from its memory map.
platform_of() {
    until_true 5 grep -qs platforms/libq "/proc/$1/maps" || true
    { grep -o 'platforms/libq[a-z-]*\.so' "/proc/$1/maps" 2>/dev/null || true; } | sort -u |
        tr '\n' ' ' | sed 's/ $//'
}

# start_mutter NAME [--no-x11]: a headless GNOME compositor on a 1280x800 virtual monitor; sets
# session_env to the environment it gives its clients.
start_mutter() {
    local name=$1 log=$work/$1.log runtime=$work/$1-runtime
    mkdir -m 700 "$runtime"
    XDG_RUNTIME_DIR=$runtime setsid dbus-run-session -- mutter --wayland --headless \
        --virtual-monitor 1280x800 --wayland-display="$name" "${@:2}" >"$log" 2>&1 &
    local session=$!
    session_env=(XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$name" XDG_SESSION_TYPE=wayland)
    until_true 15 test -S "$runtime/$name" || { echo "mutter did not start:"; cat "$log"; exit 1; }
    # The session's bus goes too: its runner, ended with the test, would leave it behind.
    compositors+=("$(pgrep -x -P "$session" mutter)" "$(pgrep -x -P "$session" dbus-daemon)")
    if [ "${2:-}" != --no-x11 ]; then
        until_true 15 grep -q 'Using public X11 display' "$log" || { cat "$log"; exit 1; }
        local display auth
        display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log")
        until_true 5 compgen -G "$runtime/.mutter-Xwaylandauth.*" >/dev/null
        auth=$(compgen -G "$runtime/.mutter-Xwaylandauth.*" | head -1)
        session_env+=(DISPLAY="$display" XAUTHORITY="$auth")
    fi
}

# start_weston NAME [--xwayland]: the reference compositor, headless.
start_weston() {
    local name=$1 log=$work/$1.log runtime=$work/$1-runtime
    mkdir -m 700 "$runtime"
    XDG_RUNTIME_DIR=$runtime setsid weston --backend=headless-backend.so --socket="$name" \
        --idle-time=0 "${@:2}" >"$log" 2>&1 &
    compositors+=("$!")
    session_env=(XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$name" XDG_SESSION_TYPE=wayland)
    until_true 15 test -S "$runtime/$name" || { echo "weston did not start:"; cat "$log"; exit 1; }
    if [ "${2:-}" = --xwayland ]; then
        until_true 15 grep -q 'xserver listening on display' "$log" || { cat "$log"; exit 1; }
        session_env+=(DISPLAY="$(sed -n 's/.*listening on display \(:[0-9]*\).*/\1/p' "$log")")
    fi
}

# In the session's environment, nothing else: X tools and the program itself.
in_session() { env -i PATH="$PATH" HOME="$work" "${session_env[@]}" "$@"; }
x_client=(in_session)

# Under AddressSanitizer, Mesa's DRI driver stays loaded until the leak check. Qt's Wayland
# plugin loads it through EGL when the first window is shown and unloads it at exit
# (eglTerminate). On AMD Zen processors Mesa's one-time processor detection keeps a 128-byte
# mask of the CPUs sharing an L3 cache in a global of the driver for the life of the process;
# with the driver gone, LeakSanitizer finds that block unreferenced, allocated from an address
# no library holds any more, which no suppression can name. Loaded ahead of the program the
# driver keeps its globals (every Mesa driver is one file under many names), and a leak of its
# own would still be reported, by its name.
sanitizer_preload=()
mesa_driver=$(compgen -G '/usr/lib/*/dri/swrast_dri.so' | head -n 1 || true)
if [ -n "${ASAN_OPTIONS:-}" ] && [ -n "$mesa_driver" ]; then
    sanitizer_preload=(LD_PRELOAD="$mesa_driver")
    ASAN_OPTIONS+=:verify_asan_link_order=0
fi

# start_app CASE [ARGS...]: the program in a folder and settings of the case's own, with the
# session's environment only (and a sanitizer's options, and the case's own case_env[CASE]).
# Sets app_pid.
declare -A case_env
start_app() {
    local case=$work/$1
    mkdir -p "$case/config"
    (cd "$case" && exec env -i PATH="$PATH" HOME="$work" "${session_env[@]}" ${case_env[$1]:-} \
        XDG_CONFIG_HOME="$case/config" "${sanitizer_preload[@]}" \
        ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} \
        ${LSAN_OPTIONS:+LSAN_OPTIONS=$LSAN_OPTIONS} ${UBSAN_OPTIONS:+UBSAN_OPTIONS=$UBSAN_OPTIONS} \
        "$bin" "${@:2}" 2>"$case/stderr") &
    app_pid=$!
}
conf_of() { echo "$work/$1/config/QV_ZIV.conf"; }
store() {  # store CASE LINES...: a settings file holding these lines
    mkdir -p "$work/$1/config"
    printf '[RI-ZUZERU-VAVUZA]\n' >"$(conf_of "$1")"
    printf '%s\n' "${@:2}" >>"$(conf_of "$1")"
}
places() { grep -E '^(MAIN|ABOUT)_' "$(conf_of "$1")" | sort || true; }
setting_of() { setting "$2" "$(conf_of "$1")"; }  # setting_of CASE KEY

# The process's wake-ups over SECONDS: voluntary and involuntary context switches of its threads.
wakeups() {
    local pid=$1 before after
    count() { cat /proc/"$pid"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
    before=$(count)
    sleep "$2"
    after=$(count)
    echo $((after - before))
}

active() { { in_session xprop -root _NET_ACTIVE_WINDOW || true; } | sed 's/.*# //'; }

# An unattended run (Auto Start and Auto Close) on a desktop without X11 for the program: the
# record is written, the program closes itself, the stored places stay byte for byte, and stderr
# tells once that Always On Top cannot work, only when it is ticked. Sets the case's status.
unattended_case() {  # unattended_case CASE ALWAYS_ON_TOP: starts it; finish_unattended checks it
    store "$1" AUTOSTART_TICKBOX=1 AUTOCLOSE_TICKBOX=1 "AlwaysOnTop_TICKBOX=$2" \
        MAIN_Left=2000.50 MAIN_Top=3000 ABOUT_Left=-1200 ABOUT_Top=4000.0
    places "$1" >"$work/$1.places"
    local started
    started=$(date +%s%N)
    start_app "$1"
    eval "pid_$1=$app_pid started_$1=$started plugin_$1='$(platform_of "$app_pid")'"
}
finish_unattended() {  # finish_unattended CASE ALWAYS_ON_TOP PLATFORM
    local pid_var=pid_$1 started_var=started_$1 plugin_var=plugin_$1
    local pid=${!pid_var} plugin=${!plugin_var}
    note "$1: platform $plugin"
    check "$1: platform" "$plugin" "$3"
    wait_for_exit "$pid" 30
    local elapsed
    elapsed=$(millis "${!started_var}")
    note "$1: closed itself after ${elapsed} ms"
    check "$1: closes itself with status 0" "${status:-still running}" 0
    [ "${status:-}" = 0 ] || tail -n 40 "$work/$1/stderr"
    check "$1: the record is written" "$(grep -c $'\r$' "$work/$1/RI-ZUZERU-VAVUZA.LOG" 2>/dev/null)" 9
    check "$1: stored places unchanged byte for byte" "$(places "$1")" "$(cat "$work/$1.places")"
    check "$1: options saved" \
        "$(setting_of "$1" AUTOSTART_TICKBOX)$(setting_of "$1" AUTOCLOSE_TICKBOX)" 11
    check "$1: lines about Always On Top" "$(grep -c 'Always On Top cannot work' "$work/$1/stderr")" "$2"
}

# --- 1. GNOME with Xwayland: the program takes X11, keeps its place, and the keeper works. ---
t0=$(date +%s%N)
start_mutter rzv-gnome
note "mutter with Xwayland on ${session_env[3]#DISPLAY=} after $(millis "$t0") ms"

store xwayland MAIN_Left=2000 MAIN_Top=3000 AlwaysOnTop_TICKBOX=1
start_app xwayland
window=$(find_window 10 --name '^RI-ZUZERU-VAVUZA$')
check "xwayland: window found on X11" "$([ -n "$window" ] && echo yes)" yes
plugin=$(platform_of "$app_pid")
note "xwayland: platform $plugin"
check "xwayland: platform" "$plugin" platforms/libqxcb.so
main_pid=$app_pid

# A rival X window made "above" and given the foreground loses the band to ours within 2 s.
in_session xmessage -title rival-window "rival" >/dev/null 2>&1 &
rival_pid=$!
rival=$(find_window 10 --name '^rival-window$')
# Every state the rival goes through, line by line as it happens.
in_session stdbuf -oL xprop -spy -id "$rival" _NET_WM_STATE >"$work/rival-states" 2>/dev/null &
spy_pid=$!
until_true 5 test -s "$work/rival-states" || true
in_session wmctrl -i -r "$rival" -b add,above || true
in_session wmctrl -i -a "$rival" || true
rival_lost_it() { [ "$(above "$rival")$(above "$window")" = 01 ]; }
t0=$(date +%s%N)
if until_true 2 rival_lost_it; then
    note "keeper: the rival lost the band to ours after $(millis "$t0") ms"
    pass
else
    fail "keeper: rival above $(above "$rival"), ours above $(above "$window") after 2 s"
fi
check "keeper: the rival was above before" \
    "$(grep -q _NET_WM_STATE_ABOVE "$work/rival-states" && echo yes)" yes
kill "$spy_pid"
rival_wakeups=$(wakeups "$main_pid" 3)

# A native Wayland window takes the focus (the program itself, on the platform a user chose
# with -platform): no X window is active, and ours stays in the band at no extra cost.
start_app native -platform wayland
native_pid=$app_pid
no_x_window_active() { [ "$(active)" = 0x0 ]; }
until_true 5 no_x_window_active || true
check "native: -platform wayland stands" "$(platform_of "$native_pid")" platforms/libqwayland-generic.so
check "null foreground: no X window is active" "$(active)" 0x0
null_wakeups=$(wakeups "$main_pid" 3)
check "null foreground: ours still in the band" "$(above "$window")" 1
note "keeper wake-ups in 3 s: $rival_wakeups with an X rival active, $null_wakeups with a" \
    "native Wayland window active"
check "null foreground costs no more wake-ups" \
    "$([ "$null_wakeups" -le $((rival_wakeups + 3)) ] && echo yes)" yes
kill "$native_pid" "$rival_pid"
wait "$native_pid" 2>/dev/null || true

# A close by the title bar's button keeps the stored place.
in_session wmctrl -i -c "$window" || kill -TERM "$main_pid"
wait_for_exit "$main_pid" 10
check "xwayland: exit status after close" "${status:-still running}" 0
check "xwayland: place kept through the close" \
    "$(setting_of xwayland MAIN_Left) $(setting_of xwayland MAIN_Top)" "2000 3000"
check "xwayland: no word about Always On Top" "$(grep -c 'Always On Top' "$work/xwayland/stderr")" 0

# QT_QPA_PLATFORM chosen by the user stands too.
session_env+=(QT_QPA_PLATFORM=wayland)
store chosen AlwaysOnTop_TICKBOX=0
start_app chosen
check "QT_QPA_PLATFORM=wayland stands" "$(platform_of "$app_pid")" platforms/libqwayland-generic.so
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# --- 2. Wayland only: GNOME without X11 and weston without Xwayland, side by side. ---
start_mutter rzv-gnome-only --no-x11
# A DISPLAY that nothing answers counts as no X server.
session_env+=(DISPLAY=:4999)
unattended_case gnome_on_top 1
case_env[gnome_plain]=WAYLAND_DEBUG=client  # the client's requests on its stderr
unattended_case gnome_plain 0
start_weston rzv-weston
unattended_case weston_on_top 1
finish_unattended gnome_on_top 1 platforms/libqwayland-generic.so
finish_unattended gnome_plain 0 platforms/libqwayland-generic.so
# The window is its desktop entry's: the app id that docks match against the entry.
check "gnome_plain: the Wayland app id is the desktop entry's id" \
    "$(grep -o 'set_app_id("[^"]*")' "$work/gnome_plain/stderr" | sort -u)" \
    'set_app_id("org.example.ri_zuzeru_vavuza")'
finish_unattended weston_on_top 1 platforms/libqwayland-generic.so

# --- 3. weston with Xwayland (it has no "above"): X11 all the same, and the place kept. ---
start_weston rzv-weston-x --xwayland
store weston_x MAIN_Left=2000 MAIN_Top=3000 AlwaysOnTop_TICKBOX=1
start_app weston_x
window=$(find_window 10 --name '^RI-ZUZERU-VAVUZA$')
plugin=$(platform_of "$app_pid")
note "weston_x: platform $plugin"
check "weston_x: platform" "$plugin" platforms/libqxcb.so
kill -TERM "$app_pid"  # closes as the close button does
wait_for_exit "$app_pid" 10
check "weston_x: exit status after close" "${status:-still running}" 0
check "weston_x: place kept through the close" \
    "$(setting_of weston_x MAIN_Left) $(setting_of weston_x MAIN_Top)" "2000 3000"

note "all cases took $(millis "$begun") ms"
report wayland
