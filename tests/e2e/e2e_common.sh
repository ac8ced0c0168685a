# Shared by the end-to-end scripts, on Linux and under Wine (sourced, after `set -euo pipefail`):
# the checks and their tally, a private X display with a window manager, finding and measuring
# windows, waiting for the program to end, and reading its settings.

passed=0
failures=0

pass() {  # pass [WHAT]: one more passed, said when named
    passed=$((passed + 1))
    [ $# -eq 0 ] || echo "ok: $*"
}
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check NAME ACTUAL EXPECTED
    if [ "$2" == "$3" ]; then pass; else fail "$1: got '$2', expected '$3'"; fi
}
skip() { echo "SKIPPED: $1"; }

# report NAME: the tally on one line; the status is that of the checks.
report() {
    echo "$1: $passed passed, $failures failed"
    [ "$failures" -eq 0 ]
}

# require_tools NAME TOOL...: ends the test, naming the first tool that is not installed.
require_tools() {
    local name=$1 tool
    shift
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "$name: $tool is missing"; exit 1; }
    done
}

# x_test NAME ARGS...: the start of a test of the program on an X display: ends the test NAME
# when a tool it needs is missing, runs the calling script again with ARGS in an X server of its
# own, and there makes $work, a fresh folder that other users may read (cases run as nobody).
x_test() {
    local name=$1
    shift
    require_tools "$name" xvfb-run openbox xdotool xprop xwininfo wmctrl xdpyinfo setpriv
    in_own_display "$0" "$@"
    work=$(mktemp -d)
    chmod 755 "$work"
}

# in_own_display SCRIPT ARGS...: runs the calling script again in an X server of its own
# (1280x1024 at 96 DPI), unless this is that run already.
in_own_display() {
    [ -z "${RZV_E2E_INNER:-}" ] || return 0
    RZV_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$@"
}

# start_window_manager: openbox on the display, once the X server answers (clients that reach
# a fresh Xvfb in the same instant can break it).
start_window_manager() {
    until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done
    openbox >/dev/null 2>&1 &
    sleep 1
}

# The X clients below run as "${x_client[@]}" CLIENT ARGS...: as they are, or in the environment
# of a session the test set up (wayland_e2e.sh).
x_client=()

# find_window SECONDS XDOTOOL-SEARCH-ARGS...: the first visible window that matches, waiting up
# to SECONDS for it; nothing when none came.
find_window() {
    local seconds=$1
    shift
    { "${x_client[@]}" timeout "$seconds" xdotool search --sync --onlyvisible "$@" 2>/dev/null ||
        true; } | head -1
}
# gone_within SECONDS XDOTOOL-SEARCH-ARGS...: "yes" once no visible window matches, within
# SECONDS; else "no".
gone_within() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq "$tenths"); do
        "${x_client[@]}" xdotool search --onlyvisible "$@" >/dev/null 2>&1 || { echo yes; return; }
        sleep 0.1
    done
    echo no
}

# Outer geometry "left top width height" of $window (or WINDOW): the client's absolute place
# (xwininfo; xdotool's geometry counts the frame offset twice under a reparenting window
# manager) and the frame extents around it.
outer_geometry() {
    local id=${1:-$window} info x y w h l r t b
    info=$(xwininfo -id "$id")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/^ *Width: *//p' <<<"$info")
    h=$(sed -n 's/^ *Height: *//p' <<<"$info")
    read -r l r t b <<<"$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
outer_size() {  # outer_size [WINDOW]: "width height" with the frame
    local geometry
    geometry=$(outer_geometry "$@")
    echo "${geometry#* * }"
}

above() {  # above WINDOW: 1 when the window is in the always-on-top band, else 0
    { "${x_client[@]}" xprop -id "$1" _NET_WM_STATE 2>/dev/null || true; } |
        grep -c _NET_WM_STATE_ABOVE || true
}

wait_for_exit() {  # wait_for_exit PID SECONDS: sets status, or leaves it empty while still running
    local deadline=$(($(date +%s) + $2))
    status=
    while kill -0 "$1" 2>/dev/null; do
        [ "$(date +%s)" -lt "$deadline" ] || return 0
        sleep 0.2
    done
    status=0
    wait "$1" || status=$?
}
seconds_since() { echo $((($(date +%s%N) - $1) / 1000000000)); }

# in_journal_namespace NAME ARGS...: runs the calling script again with ARGS in a mount namespace
# of its own, where /run and /var/log/journal are empty tmpfs (so neither the machine's journal
# nor entries of an earlier run are seen), under an X server of its own; skips the test NAME
# (status 77) without root.
in_journal_namespace() {
    local name=$1
    shift
    case "${RZV_JOURNAL_STAGE:-}" in
    "")
        if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
            echo "$name: needs root and unshare: skipped"
            exit 77
        fi
        RZV_JOURNAL_STAGE=namespace exec unshare -m --propagation private "$0" "$@"
        ;;
    namespace)
        mount -t tmpfs -o mode=755 tmpfs /run
        [ -d /var/log/journal ] && mount -t tmpfs -o mode=2755 tmpfs /var/log/journal
        mkdir -p /run/systemd/journal
        RZV_JOURNAL_STAGE=display exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
        ;;
    esac
}

# setting KEY [FILE]: the value stored for KEY in the settings file ($conf unless FILE).
setting() { sed -n "s/^$1=//p" "${2:-$conf}"; }
