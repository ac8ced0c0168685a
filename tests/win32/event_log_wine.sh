#!/usr/bin/env bash
# The program's events under Wine, whose event log is a stub that prints each ReportEventW (type,
# id, strings) on the eventlog debug channel. Three unattended runs side by side: under the
# registered source with a bad stored value (the record's information event and a warning), the
# same where the log cannot be written (its error event), and a copy whose name is registered
# nowhere, as the portable zip's program is (no event at all).
set -euo pipefail
exe=$1 wine=${2:-wine64}
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
work=$(mktemp -d /tmp/rzv-events.XXXXXX)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
failures=0
passed=0
check() {  # check WHAT EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
        echo "FAIL: $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}
sources='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application'
register() {
    "$wine" reg add "$sources\\$1" /v EventMessageFile /d "$2" /f </dev/null >/dev/null 2>&1
    "$wine" reg add "$sources\\$1" /v TypesSupported /t REG_DWORD /d 7 /f </dev/null >/dev/null 2>&1
}
store() { "$wine" reg add "HKCU\\Software\\QV_ZIV\\$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1; }

# run NAME: the program as NAME.exe in a folder of its own, logging once and closing itself.
run() {
    mkdir -p "$work/$1"
    cp "$exe" "$work/$1/$1.exe"
    store "$1" AUTOSTART_TICKBOX 1
    store "$1" AUTOCLOSE_TICKBOX 1
    (cd "$work/$1" && WINEDEBUG=+eventlog,fixme+advapi exec "$wine" "$1.exe" \
        >stdout.txt 2>trace.txt) &
    pids+=($!)
}
register EVENTS 'C:\Program Files\EVENTS\EVENTS.exe'
register FAILED 'C:\Program Files\FAILED\FAILED.exe'
store EVENTS MAIN_Top 'upper edge'
mkdir -p "$work/FAILED/FAILED.LOG"  # a folder where the log should be: no write
run EVENTS
run FAILED
run PORTABLE
events=${pids[0]} failed=${pids[1]} portable=${pids[2]}
wait_exit() {  # wait_exit PID SECONDS: sets $status, "running" if it still runs
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
wait_exit "$events" 60
check "the registered run ends by itself" 0 "$status"
wait_exit "$portable" 15
check "the portable run ends by itself" 0 "$status"
# The failed run stays open to show its failure; its events were reported at the write.
kill "$failed" 2>/dev/null || true

# Wine's stub prints "ReportEventW(handle,0xTYPE,0xCATEGORY,0xID,...)" and then each string.
calls() { tr -d '\r' <"$work/$1/trace.txt" | grep -o 'ReportEventW *([^)]*)' || true; }
type_id() { calls "$1" | awk -F'[(,)]' '{ printf "%s %s\n", $3, $5 }'; }
check "the registered run: an information event 1 and a warning event 3" \
    "$(printf '0x0002 0x00000003\n0x0004 0x00000001')" "$(type_id EVENTS | sort)"
strings() { tr -d '\r' <"$work/$1/trace.txt" | grep 'eventlog:ReportEventW' || true; }
trace=$(strings EVENTS)
check "the record's lines in the trace" 1 \
    "$(grep -c 'PC Name = .*Current UpTime = [0-9]*d, [0-9]*h, [0-9]*m, [0-9]*s' <<<"$trace")"
check "the warning's text in the trace" 1 "$(grep -c 'MAIN_Top holds' <<<"$trace")"
check "the failed run: its record, then an error event 2" \
    "$(printf '0x0004 0x00000001\n0x0001 0x00000002')" "$(type_id FAILED)"
check "the error names the file" 1 \
    "$(strings FAILED | grep -c 'cannot write the log file FAILED.LOG')"
check "an unregistered copy reports no event" "" "$(calls PORTABLE)"
check "an unregistered copy registers no source" 0 \
    "$(grep -c RegisterEventSource "$work/PORTABLE/trace.txt" || true)"
check "and logs as ever" 9 "$(tr -d '\r' <"$work/PORTABLE/PORTABLE.LOG" | wc -l)"
echo "--- one event, as Wine's event log stub shows it:"
tr -d '\r' <"$work/EVENTS/trace.txt" | grep -E '(advapi|eventlog):(Register|Report)Event' | tail -8
echo "win32_event_log_end_to_end: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
