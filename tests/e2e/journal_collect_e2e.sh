#!/usr/bin/env bash
# The way the README's Linux fleet recipe takes, end to end: a record of the real program travels
# from a PC's journal to a collector over HTTPS and arrives with its fields. All of it in a
# private mount namespace (tmpfs over /run and /var/log/journal), so the machine's own journal
# never sees the test: systemd-journald, one unattended run of the program under Xvfb,
# systemd-journal-remote with a collector certificate from a CA the test makes (on a listening
# socket handed over as fd 3, as the stock socket unit does, so no port is raced for), and
# systemd-journal-upload with a PC's certificate, sending what the journal holds and ending. An
# upload over plain HTTP to the same collector must deliver nothing: the stock collector speaks
# only HTTPS.
# Usage: journal_collect_e2e.sh PROGRAM BOOT_CLOCK. Needs root (for the namespace); skipped
# without.
set -euo pipefail
bin=$(readlink -f "$1")
boot_clock=$(readlink -f "$2")
journald=/lib/systemd/systemd-journald
collector=/lib/systemd/systemd-journal-remote
uploader=/lib/systemd/systemd-journal-upload
recorded_id=dd0e3b88f3e94ae4929e6867de288a8c
source "$(dirname "$(readlink -f "$0")")/e2e_common.sh"  # check, report and the tally

require_tools journal_collect_end_to_end "$journald" "$collector" "$uploader" journalctl openssl \
    python3 xvfb-run xdpyinfo
in_journal_namespace journal_collect_end_to_end "$bin" "$boot_clock"

work=$(mktemp -d)
chmod 755 "$work"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

# certificate NAME [OPENSSL-REQ-ARGS...]: NAME.key and NAME.pem in $work, made as the README
# says; openssl's chatter is shown only when it fails.
certificate() {
    local name=$1
    shift
    openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=$name" -keyout "$work/$name.key" \
        -out "$work/$name.pem" "$@" 2>"$work/openssl.log" ||
        { cat "$work/openssl.log"; echo "journal_collect_end_to_end: openssl failed"; exit 1; }
}
certificate fleet-ca
signed=(-addext basicConstraints=CA:FALSE -CA "$work/fleet-ca.pem" -CAkey "$work/fleet-ca.key")
certificate collector -addext subjectAltName=IP:127.0.0.1 "${signed[@]}"
certificate pc "${signed[@]}"

"$journald" </dev/null >"$work/journald.log" 2>&1 &
for _ in $(seq 100); do [ -S /run/systemd/journal/socket ] && break; sleep 0.05; done
check "journald listens in the namespace" "$([ -S /run/systemd/journal/socket ] && echo yes)" yes
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done

# One unattended run (Auto Start and Auto Close ticked): its record goes to the journal.
mkdir -p "$work/pc/config"
printf '[RI-ZUZERU-VAVUZA]\nAUTOSTART_TICKBOX=1\nAUTOCLOSE_TICKBOX=1\n' \
    >"$work/pc/config/QV_ZIV.conf"
(cd "$work/pc" && XDG_CONFIG_HOME="$work/pc/config" COMPUTERNAME=FLEET-PC \
    RZV_FAKE_UPTIME_MS=273900000 LD_PRELOAD="$boot_clock" exec "$bin" 2>"$work/pc/stderr") &
wait_for_exit $! 40
check "the unattended run ends by itself" "${status:-still running}" 0
log=$work/pc/RI-ZUZERU-VAVUZA.LOG
# journald takes the entry in its own time: the upload must not start before it is stored.
for _ in $(seq 50); do
    [ -n "$(journalctl -q -o cat MESSAGE_ID=$recorded_id 2>/dev/null)" ] && break
    sleep 0.1
done

# The collector, as the stock unit runs it but on a free port of the loopback.
mkdir "$work/remote"
python3 -c 'import os, socket, sys
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen()
os.dup2(s.fileno(), 3)
os.set_inheritable(3, True)
print(s.getsockname()[1], flush=True)
os.environ.update(LISTEN_FDS="1", LISTEN_PID=str(os.getpid()))
os.execv(sys.argv[1], sys.argv[1:])' "$collector" --listen-https=-3 --key="$work/collector.key" \
    --cert="$work/collector.pem" --output="$work/remote/" --split-mode=host \
    >"$work/port" 2>"$work/collector.log" &
collector_pid=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
port=$(cat "$work/port")

http_status=0
timeout 30 "$uploader" --follow=no --url="http://127.0.0.1:$port" >"$work/http.log" 2>&1 ||
    http_status=$?
check "plain HTTP to the HTTPS collector fails" "$http_status" 1
check "and delivers nothing" "$(ls -A "$work/remote")" ""

upload_status=0
timeout 30 "$uploader" --follow=no --url="https://127.0.0.1:$port" --key="$work/pc.key" \
    --cert="$work/pc.pem" --trust="$work/fleet-ca.pem" --save-state="$work/upload.state" \
    >"$work/upload.log" 2>&1 || upload_status=$?
check "the HTTPS upload sends everything and ends" "$upload_status" 0
kill -TERM "$collector_pid" 2>/dev/null || true
wait_for_exit "$collector_pid" 10
check "the collector closes its journal on SIGTERM" "${status:-still running}" 0

# What arrived, read as the README says; python picks the fields, NUL-separated.
mapfile -d '' got < <(journalctl -D "$work/remote" -o json --no-pager MESSAGE_ID=$recorded_id \
    2>/dev/null | python3 -c 'import json, sys
entries = [json.loads(line) for line in sys.stdin]
e = entries[0] if entries else {}
fields = ("MESSAGE", "UPTIME", "UPTIME_MS", "COMPUTER_NAME", "LOG_WRITTEN", "LOG_FILE")
sys.stdout.write("\0".join([str(len(entries))] + [str(e.get(f)) for f in fields]) + "\0")')
check "one uptime record at the collector" "${got[0]}" 1
record=$([ -f "$log" ] && tr -d '\r' <"$log" || true)
check "its MESSAGE is the log's nine lines" "${got[1]}" "$record"
display=$(sed -n 's/^Current UpTime = //p' <<<"$record")
check "UPTIME is the record's display" "${got[2]}" "$display"
seconds=$(awk -F'[dhms, ]+' '{print $1 * 86400 + $2 * 3600 + $3 * 60 + $4}' <<<"$display")
milliseconds=${got[3]}
[[ $milliseconds =~ ^[0-9]+$ ]] || milliseconds=0
check "UPTIME_MS lies in the record's second" "$((milliseconds / 1000))" "$seconds"
check "COMPUTER_NAME, LOG_WRITTEN and LOG_FILE" "${got[4]} ${got[5]} ${got[6]}" "FLEET-PC 1 $log"

[ "$failures" -eq 0 ] || tail -n 5 "$work/collector.log" "$work/http.log" "$work/upload.log"
report journal_collect_end_to_end
