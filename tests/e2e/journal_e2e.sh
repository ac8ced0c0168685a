#!/usr/bin/env bash
# The journal entries of the real program, read back from a real systemd-journald: one that
# runs in a private mount namespace (tmpfs over /run and /var/log/journal), so the machine's own
# journal never sees the test. Three unattended runs side by side under one Xvfb: a written
# log (its entry and fields), a log that cannot be written with a bad stored value (the error
# and warning entries), and a run without a journal socket (exactly as without this feature).
# Usage: journal_e2e.sh PROGRAM BOOT_CLOCK. Needs root (for the namespace); skipped without.
set -euo pipefail
bin=$(readlink -f "$1")
boot_clock=$(readlink -f "$2")
journald=/lib/systemd/systemd-journald
recorded_id=dd0e3b88f3e94ae4929e6867de288a8c
failed_id=2363ef8408f2489789f5f91907a080c4
warning_id=e32e1c962a5c444b8e5a3a7286bf057a

case "${RZV_JOURNAL_STAGE:-}" in
"")
    if [ "$(id -u)" -ne 0 ] || ! [ -x "$journald" ] || ! command -v journalctl >/dev/null ||
        ! unshare -m true 2>/dev/null; then
        echo "journal_end_to_end: needs root, unshare and $journald: skipped"
        exit 77
    fi
    RZV_JOURNAL_STAGE=namespace exec unshare -m --propagation private "$0" "$bin" "$boot_clock"
    ;;
namespace)
    mount -t tmpfs -o mode=755 tmpfs /run
    [ -d /var/log/journal ] && mount -t tmpfs -o mode=2755 tmpfs /var/log/journal
    mkdir -p /run/systemd/journal
    RZV_JOURNAL_STAGE=display exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$bin" "$boot_clock"
    ;;
esac

work=$(mktemp -d)
chmod 755 "$work"
journald_pid=
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
passed=0
failures=0
check() {  # check NAME ACTUAL EXPECTED
    if [ "$2" == "$3" ]; then
        passed=$((passed + 1))
    else
        echo "FAIL: $1: got '$2', expected '$3'"
        failures=$((failures + 1))
    fi
}

"$journald" </dev/null >"$work/journald.log" 2>&1 &
journald_pid=$!
for _ in $(seq 100); do [ -S /run/systemd/journal/socket ] && break; sleep 0.05; done
check "journald listens in the namespace" "$([ -S /run/systemd/journal/socket ] && echo yes)" yes
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done

# run NAME CONF [WRAPPER...]: an unattended run in $work/NAME with its own settings.
run() {
    local name=$1 conf=$2
    shift 2
    mkdir -p "$work/$name/config"
    printf '%b' "$conf" >"$work/$name/config/QV_ZIV.conf"
    (cd "$work/$name" && XDG_CONFIG_HOME="$work/$name/config" COMPUTERNAME="$name-PC" \
        LC_TIME=en_GB.UTF-8 RZV_FAKE_UPTIME_MS=273900000 LD_PRELOAD="$boot_clock" \
        exec "$@" "$bin" 2>"$work/$name/stderr") &
}
both='[RI-ZUZERU-VAVUZA]\nAUTOSTART_TICKBOX=1\nAUTOCLOSE_TICKBOX=1\n'
started=$(date +%s)
run WRITTEN "$both"
written_pid=$!
mkdir -p "$work/FAILED/RI-ZUZERU-VAVUZA.LOG"  # a folder where the log should be: no write
run FAILED "${both}MAIN_Top=upper edge\n"
failed_pid=$!
# The same run in a namespace of its own whose journal folder is empty: no socket at all.
run NOJOURNAL "$both" unshare -m sh -c 'mount -t tmpfs tmpfs /run/systemd/journal && exec "$@"' -
nojournal_pid=$!

wait_for() {  # wait_for PID SECONDS: sets $status, "running" if it still runs
    local deadline=$(($(date +%s) + $2))
    while kill -0 "$1" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.2; done
    status=running
    kill -0 "$1" 2>/dev/null && return 0
    status=0
    wait "$1" || status=$?
}
wait_for "$written_pid" 30
check "the written run ends by itself" "$status" 0
wait_for "$nojournal_pid" 10
check "the run without a journal ends by itself" "$status" 0
elapsed=$(($(date +%s) - started))
check "both after about 21 s" "$([ "$elapsed" -ge 20 ] && [ "$elapsed" -le 27 ] && echo yes)" yes
# The failed run stays open to show its failure: close it as a session would.
kill -TERM "$failed_pid" 2>/dev/null || true
wait_for "$failed_pid" 10
check "the failed run closes on SIGTERM" "$status" 0

# journalctl FIELD=VALUE...: the entries as JSON lines, from the namespace's journal only.
journal_folder=$(find /run/log/journal /var/log/journal -name '*.journal' -printf '%h\n' \
    2>/dev/null | head -1)
entries() { journalctl --directory="$journal_folder" -a -o json --no-pager "$@" 2>/dev/null; }
field() {  # field NAME < one JSON entry
    python3 -c 'import json, sys; v = json.loads(sys.stdin.read()).get(sys.argv[1]); print(v if isinstance(v, str) else repr(v))' "$1"
}
log=$work/WRITTEN/RI-ZUZERU-VAVUZA.LOG
records=$(entries MESSAGE_ID=$recorded_id LOG_FILE="$log")
check "one entry for the written record" "$(grep -c . <<<"$records")" 1
check "its MESSAGE is the log's nine lines" "$(field MESSAGE <<<"$records")" \
    "$(tr -d '\r' <"$log")"
check "its priority and identifier" \
    "$(field PRIORITY <<<"$records") $(field SYSLOG_IDENTIFIER <<<"$records")" "6 RI-ZUZERU-VAVUZA"
display=$(tr -d '\r' <"$log" | sed -n 's/^Current UpTime = //p')
check "UPTIME is the record's display" "$(field UPTIME <<<"$records")" "$display"
seconds=$(awk -F'[dhms, ]+' '{print $1 * 86400 + $2 * 3600 + $3 * 60 + $4}' <<<"$display")
check "UPTIME_MS lies in the record's second" \
    "$(($(field UPTIME_MS <<<"$records") / 1000))" "$seconds"
check "COMPUTER_NAME and LOG_WRITTEN" \
    "$(field COMPUTER_NAME <<<"$records") $(field LOG_WRITTEN <<<"$records")" "WRITTEN-PC 1"
check "nothing else from the written run" \
    "$(entries SYSLOG_IDENTIFIER=RI-ZUZERU-VAVUZA _PID="$written_pid" | grep -c . || true)" 1

failed_log=$work/FAILED/RI-ZUZERU-VAVUZA.LOG
check "the failed run's record says not written" \
    "$(entries MESSAGE_ID=$recorded_id LOG_FILE="$failed_log" | field LOG_WRITTEN)" 0
failure=$(entries MESSAGE_ID=$failed_id LOG_FILE="$failed_log")
check "one error entry for the failed write" "$(grep -c . <<<"$failure")" 1
check "at priority 3" "$(field PRIORITY <<<"$failure")" 3
check "its message is the stderr line" "RI-ZUZERU-VAVUZA: $(field MESSAGE <<<"$failure")" \
    "$(grep 'cannot write the log file' "$work/FAILED/stderr")"
warnings=$(entries MESSAGE_ID=$warning_id)
check "one warning entry, for the bad stored value" "$(grep -c . <<<"$warnings")" 1
check "at priority 4, naming key and text" \
    "$(field PRIORITY <<<"$warnings") $(field MESSAGE <<<"$warnings" | grep -c 'MAIN_Top holds "upper edge"')" "4 1"

nolog=$work/NOJOURNAL/RI-ZUZERU-VAVUZA.LOG
check "without a journal: the log as ever" "$(grep -c $'\r$' "$nolog") $(wc -l <"$nolog")" "9 9"
check "without a journal: nothing said" "$(cat "$work/NOJOURNAL/stderr")" ""
check "without a journal: no entry" "$(entries LOG_FILE="$nolog" | grep -c . || true)" 0

kill "$journald_pid" 2>/dev/null || true
echo "journal_end_to_end: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
