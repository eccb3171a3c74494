#!/usr/bin/env bash
# Sound latency: from a play() request to the first sample in a PulseAudio null sink, through
# the programs' player, in a fresh process per run; prints the median of each case over N runs.
# Usage: bench/sound.sh [build folder, default build/bench] [runs, default 7]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/bench}
runs=${2:-7}
if [ ! -x "$build/bench/bench_soundlatency" ]; then
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXLO_BENCH=ON \
        -DVEXLO_TESTS=OFF >/dev/null
    cmake --build "$build" --target bench_soundlatency vexlo_audio >/dev/null
fi

home=$(mktemp -d)
HOME=$home XDG_RUNTIME_DIR=$home XDG_CONFIG_HOME=$home XDG_STATE_HOME=$home \
    pulseaudio -n --daemonize=no --system=no --exit-idle-time=-1 --use-pid-file=no \
    --log-level=error --load="module-null-sink sink_name=vexlo_bench" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$home/native" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$home"' EXIT
export PULSE_SERVER="unix:$home/native"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
results=$(for _ in $(seq "$runs"); do
    "$build/bench/bench_soundlatency" vexlo_bench first
    "$build/bench/bench_soundlatency" vexlo_bench prepared
done)
printf '%-10s %14s %14s\n' case "heard ms" "call ms"
for case in first prepared again; do
    heard=$(awk -v c="$case" '$1 == c {print $2}' <<<"$results" | median)
    call=$(awk -v c="$case" '$1 == c {print $3}' <<<"$results" | median)
    printf '%-10s %14s %14s\n' "$case" "$heard" "$call"
done
