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

source "$(dirname "$(readlink -f "$0")")/e2e_common.sh"
if ! [ -x "$journald" ] || ! command -v journalctl >/dev/null; then
    echo "journal_end_to_end: needs $journald and journalctl: skipped"
    exit 77
fi
in_journal_namespace journal_end_to_end "$bin" "$boot_clock"

work=$(mktemp -d)
chmod 755 "$work"
journald_pid=
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

"$journald" </dev/null >"$work/journald.log" 2>&1 &
journald_pid=$!
for _ in $(seq 100); do [ -S /run/systemd/journal/socket ] && break; sleep 0.05; done
check "journald listens in the namespace" "$([ -S /run/systemd/journal/socket ] && echo yes)" yes
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done

# run NAME CONF [WRAPPER...]: an unattended run in $work/NAME with its own settings.
# Up 3d 4h 5m, awake 2d 7h 33m 20s of it: asleep 20h 31m 40s (73900000 ms).
run() {
    local name=$1 conf=$2
    shift 2
    mkdir -p "$work/$name/config"
    printf '%b' "$conf" >"$work/$name/config/QV_ZIV.conf"
    (cd "$work/$name" && XDG_CONFIG_HOME="$work/$name/config" COMPUTERNAME="$name-PC" \
        LC_TIME=en_GB.UTF-8 RZV_FAKE_UPTIME_MS=273900000 RZV_FAKE_AWAKE_MS=200000000 \
        LD_PRELOAD="$boot_clock" \
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

wait_for_exit "$written_pid" 30
check "the written run ends by itself" "${status:-still running}" 0
wait_for_exit "$nojournal_pid" 10
check "the run without a journal ends by itself" "${status:-still running}" 0
elapsed=$(($(date +%s) - started))
check "both after about 21 s" "$([ "$elapsed" -ge 20 ] && [ "$elapsed" -le 35 ] && echo yes)" yes
# The failed run stays open to show its failure: close it as a session would.
kill -TERM "$failed_pid" 2>/dev/null || true
wait_for_exit "$failed_pid" 10
check "the failed run closes on SIGTERM" "${status:-still running}" 0

# The namespace's journal, read once; python picks the figures of each check in one go (on a
# busy machine every process start counts), NUL-separated, in the order of the checks below.
journal_folder=$(find /run/log/journal /var/log/journal -name '*.journal' -printf '%h\n' \
    2>/dev/null | head -1)
journalctl --directory="$journal_folder" -a -o json --no-pager >"$work/journal.json" 2>/dev/null
log=$work/WRITTEN/RI-ZUZERU-VAVUZA.LOG
failed_log=$work/FAILED/RI-ZUZERU-VAVUZA.LOG
nolog=$work/NOJOURNAL/RI-ZUZERU-VAVUZA.LOG
mapfile -d '' got < <(python3 - "$work/journal.json" "$log" "$failed_log" "$nolog" \
    "$written_pid" "$recorded_id" "$failed_id" "$warning_id" <<'PYTHON'
import json, sys
journal, log, failed_log, nolog, pid, recorded, failed, warning = sys.argv[1:]
entries = [json.loads(line) for line in open(journal)]
def pick(**wanted):
    return [e for e in entries if all(e.get(k) == v for k, v in wanted.items())]
def show(value):
    return value if isinstance(value, str) else repr(value)
out = []
record = pick(MESSAGE_ID=recorded, LOG_FILE=log)
r = record[0] if record else {}
out += [str(len(record)), show(r.get("MESSAGE")), f'{show(r.get("PRIORITY"))} {show(r.get("SYSLOG_IDENTIFIER"))}',
        show(r.get("UPTIME")), show(r.get("UPTIME_MS")),
        f'{show(r.get("COMPUTER_NAME"))} {show(r.get("LOG_WRITTEN"))}',
        str(len(pick(SYSLOG_IDENTIFIER="RI-ZUZERU-VAVUZA", _PID=pid)))]
out += [" ".join(show(e.get("LOG_WRITTEN")) for e in pick(MESSAGE_ID=recorded, LOG_FILE=failed_log))]
failure = pick(MESSAGE_ID=failed, LOG_FILE=failed_log)
f = failure[0] if failure else {}
out += [str(len(failure)), show(f.get("PRIORITY")), show(f.get("MESSAGE"))]
warnings = pick(MESSAGE_ID=warning)
w = warnings[0] if warnings else {}
out += [str(len(warnings)), f'{show(w.get("PRIORITY"))} {show(w.get("MESSAGE"))}']
out += [str(len(pick(LOG_FILE=nolog)))]
# Since when and how long asleep, against the faked split and the journal's own clock.
import datetime
def ms(name):
    return int(r.get(name, "-99999999"))
asleep_ok = abs(ms("ASLEEP_MS") - 73900000) <= 1000
awake_ok = abs(ms("AWAKE_MS") + 73900000 - ms("UPTIME_MS")) <= 1000
received = int(r.get("__REALTIME_TIMESTAMP", "0")) / 1e6
try:
    boot = datetime.datetime.strptime(r.get("BOOT_TIME", ""), "%Y-%m-%dT%H:%M:%SZ").replace(
        tzinfo=datetime.timezone.utc).timestamp()
except ValueError:
    boot = 0
boot_ok = abs(boot - (received - ms("UPTIME_MS") / 1000)) <= 1.5
out += [f'{asleep_ok} {awake_ok} {boot_ok}']
sys.stdout.write("\0".join(out) + "\0")
PYTHON
)
check "one entry for the written record" "${got[0]}" 1
check "its MESSAGE is the log's nine lines" "${got[1]}" "$(tr -d '\r' <"$log")"
check "its priority and identifier" "${got[2]}" "6 RI-ZUZERU-VAVUZA"
display=$(tr -d '\r' <"$log" | sed -n 's/^Current UpTime = //p')
check "UPTIME is the record's display" "${got[3]}" "$display"
seconds=$(awk -F'[dhms, ]+' '{print $1 * 86400 + $2 * 3600 + $3 * 60 + $4}' <<<"$display")
check "UPTIME_MS lies in the record's second" "$((${got[4]:-0} / 1000))" "$seconds"
check "COMPUTER_NAME and LOG_WRITTEN" "${got[5]}" "WRITTEN-PC 1"
check "nothing else from the written run" "${got[6]}" 1
check "ASLEEP_MS, AWAKE_MS and BOOT_TIME within a second of the faked split and the clock" \
    "${got[14]}" "True True True"
check "the failed run's record says not written" "${got[7]}" 0
check "one error entry for the failed write" "${got[8]}" 1
check "at priority 3" "${got[9]}" 3
check "its message is the stderr line" "RI-ZUZERU-VAVUZA: ${got[10]}" \
    "$(grep 'cannot write the log file' "$work/FAILED/stderr")"
check "one warning entry, for the bad stored value" "${got[11]}" 1
check "at priority 4, naming key and text" "${got[12]}" \
    "4 setting MAIN_Top holds \"upper edge\", which is not a valid window position; using the default 1000"
check "without a journal: the log as ever" "$(grep -c $'\r$' "$nolog") $(wc -l <"$nolog")" "9 9"
check "without a journal: nothing said" "$(cat "$work/NOJOURNAL/stderr")" ""
check "without a journal: no entry" "${got[13]}" 0

echo "--- the written run's entry, as journalctl shows it:"
journalctl --directory="$journal_folder" -o json-pretty --no-pager MESSAGE_ID=$recorded_id \
    LOG_FILE="$log" 2>/dev/null || true
kill "$journald_pid" 2>/dev/null || true
report journal_end_to_end
