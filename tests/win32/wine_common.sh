# Shared by the scripts that run the Windows program under Wine (sourced, after `set -uo pipefail`,
# with $wine the Wine loader and, for `start`, $exe the program). On top of the end-to-end
# helpers (the checks and their tally, finding windows, waiting for the program to end): the
# test's own folder and processes, the program started as NAME.exe with its window, and the
# settings it stores in the registry.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_common.sh"

settings_key='HKCU\Software\QV_ZIV'

# wine_test NAME: skips the test without an X display; makes $work, a folder of the test's own
# (removed at the end, when the processes in $pids are ended), and empties the settings store:
# the prefix is the test's own.
wine_test() {
    [ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
    work=$(mktemp -d "/tmp/rzv-$1.XXXXXX")
    pids=()
    trap end_wine_test EXIT
    "$wine" reg delete "$settings_key" /f </dev/null >/dev/null 2>&1 || true
}
end_wine_test() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

stored() {  # stored NAME KEY: the value the program named NAME stored for KEY
    timeout 30 "$wine" reg query "$settings_key\\$1" /v "$2" 2>/dev/null </dev/null |
        tr -d '\r' | awk -v k="$2" '$1 == k { print $3 }'
}
store() {  # store NAME KEY VALUE
    timeout 30 "$wine" reg add "$settings_key\\$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1
}

# start NAME: runs the program as NAME.exe in a folder of its own (its own log and settings
# section); sets $pid, $win (empty when no window came) and $started (ms, when the window
# showed: right after its load has started the timers).
start() {
    local name=$1 before
    mkdir -p "$work/$name"
    cp "$exe" "$work/$name/$name.exe"
    before=$(xdotool search --name '^RI-ZUZERU-VAVUZA$' 2>/dev/null | sort || true)
    (cd "$work/$name" && exec "$wine" "$name.exe" >stdout.txt 2>stderr.txt) &
    pid=$!
    pids+=("$pid")
    win=
    for _ in $(seq 200); do
        # A window of this run: those of earlier runs may still be about.
        win=$(comm -13 <(echo "$before") \
            <(xdotool search --onlyvisible --name '^RI-ZUZERU-VAVUZA$' 2>/dev/null | sort) |
            head -1)
        [ -n "$win" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    [ -n "$win" ] || fail "$name: no window appeared"
    started=$(now_ms)
}
close() {  # close: the program's window by its close button, or the program when none showed
    if [ -n "$win" ]; then wmctrl -i -c "$win" || true; else kill "$pid" 2>/dev/null || true; fi
    wait_for_exit "$pid" 10
}

# Child controls are not X windows: they are clicked by their place in the client area.
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; }  # click WINDOW X Y [BUTTON]

about_title='^RI-ZUZERU-VAVUZA - ABOUT$'
