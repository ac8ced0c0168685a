#!/usr/bin/env bash
# The program's events under Wine, whose event log is a stub that prints each ReportEventW (type,
# id, strings) on the eventlog debug channel. Three unattended runs side by side: under the
# registered source with a bad stored value (the record's information event and a warning), the
# same where the log cannot be written (its error event), and a copy whose name is registered
# nowhere, as the portable zip's program is (no event at all).
set -euo pipefail
exe=$1 wine=${2:-wine64}
source "$(dirname "$0")/wine_common.sh"
wine_test events
sources='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application'
register() {
    "$wine" reg add "$sources\\$1" /v EventMessageFile /d "$2" /f </dev/null >/dev/null 2>&1
    "$wine" reg add "$sources\\$1" /v TypesSupported /t REG_DWORD /d 7 /f </dev/null >/dev/null 2>&1
}

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
wait_for_exit "$events" 60
check "the registered run ends by itself" "${status:-still running}" 0
wait_for_exit "$portable" 15
check "the portable run ends by itself" "${status:-still running}" 0
# The failed run stays open to show its failure; its events were reported at the write.
kill "$failed" 2>/dev/null || true

# Wine's stub prints "ReportEventW(handle,0xTYPE,0xCATEGORY,0xID,...)" and then each string.
calls() { tr -d '\r' <"$work/$1/trace.txt" | grep -o 'ReportEventW *([^)]*)' || true; }
type_id() { calls "$1" | awk -F'[(,)]' '{ printf "%s %s\n", $3, $5 }'; }
check "the registered run: an information event 1 and a warning event 3" \
    "$(type_id EVENTS | sort)" "$(printf '0x0002 0x00000003\n0x0004 0x00000001')"
strings() { tr -d '\r' <"$work/$1/trace.txt" | grep 'eventlog:ReportEventW' || true; }
trace=$(strings EVENTS)
check "the record's lines in the trace" \
    "$(grep -c 'PC Name = .*Current UpTime = [0-9]*d, [0-9]*h, [0-9]*m, [0-9]*s' <<<"$trace")" 1
# Strings 7 to 10 of the record's event: the start in UTC, the time awake and asleep, and
# whether Fast Startup is on.
since=$(sed -n 's/.*ReportEventW L"\(.*\)"$/\1/p' <<<"$trace" |
    grep -A3 -E '^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z$' | tr '\n' ' ')
check "the record's event says since when, awake, asleep and Fast Startup" \
    "$(grep -cE '^[0-9-]{10}T[0-9:]{8}Z [0-9]+ [0-9]+ [01] $' <<<"$since")" 1
check "the warning's text in the trace" "$(grep -c 'MAIN_Top holds' <<<"$trace")" 1
check "the failed run: its record, then an error event 2" \
    "$(type_id FAILED)" "$(printf '0x0004 0x00000001\n0x0001 0x00000002')"
check "the error names the file" \
    "$(strings FAILED | grep -c 'cannot write the log file FAILED.LOG')" 1
check "an unregistered copy reports no event" "$(calls PORTABLE)" ""
check "an unregistered copy registers no source" \
    "$(grep -c RegisterEventSource "$work/PORTABLE/trace.txt" || true)" 0
check "and logs as ever" "$(tr -d '\r' <"$work/PORTABLE/PORTABLE.LOG" | wc -l)" 9
echo "--- one event, as Wine's event log stub shows it:"
tr -d '\r' <"$work/EVENTS/trace.txt" | grep -E '(advapi|eventlog):(Register|Report)Event' | tail -8
report win32_event_log_end_to_end
