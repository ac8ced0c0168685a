#!/usr/bin/env bash
# Start-up time of the real program: from launch until its window is mapped and visible, under
# Xvfb with openbox, several runs. Prints each run and the median in milliseconds.
set -euo pipefail
bin=$(readlink -f "${1:-build/src/RI-ZUZERU-VAVUZA}")
runs=${RUNS:-10}
if [ -z "${RZV_BENCH_INNER:-}" ]; then
    RZV_BENCH_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$bin"
fi
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work XDG_RUNTIME_DIR=$work
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done
openbox >/dev/null 2>&1 &
sleep 1
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$bin" 2>/dev/null &
    pid=$!
    # Poll every few milliseconds: xdotool's own --sync waits in half-second steps.
    window=
    until [ -n "$window" ]; do
        window=$(xdotool search --onlyvisible --name '^RI-ZUZERU-VAVUZA$' 2>/dev/null | head -1 || true)
    done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    wmctrl -i -c "$window"
    wait "$pid"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up to visible window (ms): ${times[*]}"
echo "median: ${sorted[$((runs / 2))]} ms over $runs runs"
