#!/usr/bin/env bash
# The real program's answers to --help, --version and an unknown option: what it prints, where,
# and its exit status, with no display at all (no window may open).
set -uo pipefail
bin=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$(readlink -f "$0")")/e2e_common.sh"

run() {  # run ARGS...: exit status in $status, output in $work/out and $work/err
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$bin" "$@" \
        >"$work/out" 2>"$work/err"
    status=$?
}

run --help
check "--help status" "$status" 0
check "--help first line" "$(head -1 "$work/out")" "Usage: RI-ZUZERU-VAVUZA [--log-and-close | --help | --version]"
check "--help names the log file" "$(grep -c 'RI-ZUZERU-VAVUZA.LOG' "$work/out")" 1
check "--help names the settings file" "$(grep -c 'QV_ZIV.conf' "$work/out")" 1
check "--help on stderr" "$(cat "$work/err")" ""

run --version
check "--version status" "$status" 0
check "--version" "$(cat "$work/out")" "RI-ZUZERU-VAVUZA $2"

run --frobnicate
check "unknown option status" "$status" 2
check "unknown option first line" "$(head -1 "$work/err")" \
    "RI-ZUZERU-VAVUZA: unknown option '--frobnicate'"
check "unknown option then where to learn more" "$(sed -n 2p "$work/err")" \
    "Try 'RI-ZUZERU-VAVUZA --help' for more information."
check "unknown option in two lines" "$(wc -l <"$work/err")" 2
check "unknown option on stdout" "$(cat "$work/out")" ""

# Help that cannot be written is a failure, not a silent success.
env -u DISPLAY timeout 10 "$bin" --help >/dev/full 2>/dev/null
check "--help to a full disk" "$?" 1

report command_line
