#!/usr/bin/env bash
# Measures the four programs against the floor (the smallest Qt Widgets window that updates a
# label every 950 ms) in one run, so the figures compare, and prints one table:
#   start-up   time from exec to the first drawing in a mapped window (and to the first map),
#              median of 10, on a private Xvfb; the programs take turns, one start each per
#              round, so that a shared machine's changes of speed fall on all of them alike;
#              the floor's label over the whole screen is started with them, for comparison
#   peak RSS   VmHWM after a minute of counting
#   CPU        time on the CPU of all the process's threads, in nanoseconds, over 60 s while a
#              countdown runs (the floor: its own timer); all five count side by side over the
#              same seconds, for the same reason
#   wake-ups   context switches per second of all the process's threads over the same time:
#              each one is the program woken to do something
#   tick       one tick with a fake clock, median of 10,000 (bench_ticks)
# Usage: bench/run.sh [seconds of counting, default 60]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$top/build/bench"
"$top/scripts/setup.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXLO_BENCH=ON \
    -DVEXLO_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
bin="$build/bin"
tools="$build/bench"

# -noreset: the server stays as it is between starts, as a desktop's server does while its
# session is connected. Left to reset whenever the last client went, it made its screen again
# after every start, while the next one was starting, and the next first drawing over the whole
# screen paid for that fresh screen's memory.
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp -noreset 2>/dev/null)
xvfb=$!
read -r display <&3
export DISPLAY=":$display"
cleanup() {
    pkill -f "$bin/" 2>/dev/null || true
    pkill -f "$tools/bench_floor" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb

program_path() {
    case "$1" in
    Floor | FloorFullScreen | FloorNoBusSearch) echo "$tools/bench_floor" ;;
    *) echo "$bin/$1" ;;
    esac
}
program_arguments() { [ "$1" = FloorFullScreen ] && echo --full-screen || true; }
# Where no session bus can be found, the programs name one that is not there rather than let
# D-Bus fork them to look for dbus-launch; the floor, a bare Qt window, looks. The same floor
# told as the programs are is started beside it, so that the table shows both.
no_bus_search=DBUS_SESSION_BUS_ADDRESS=unix:path=/dev/null/no-session-bus
program_environment() { [ "$1" = FloorNoBusSearch ] && echo "$no_bus_search" || true; }
bus_out_of_reach() {
    [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && ! [ -e "${XDG_RUNTIME_DIR:-/nonexistent}/bus" ] &&
        ! [ -e /usr/bin/dbus-launch ] && ! command -v dbus-launch >/dev/null
}

# A fresh settings folder, seeded for a countdown.
fresh_home() {
    local home
    home=$(mktemp -d)
    "$tools/bench_seed" "$home/.config" "$1" || true
    echo "$home"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# A user's everyday start: the settings of an earlier start are there (a first start, which
# writes them, comes before the ten that are timed).
declare -A drawn_runs mapped_runs
start_once() { # program home -> appends its times to drawn_runs and mapped_runs
    local program=$1 home=$2 map draw pid
    read -r map draw pid < <(env HOME="$home" XDG_CONFIG_HOME="$home/.config" $(program_environment "$program") \
        "$tools/bench_launchtime" "$(program_path "$program")" $(program_arguments "$program"))
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    drawn_runs[$program]+="$draw "
    mapped_runs[$program]+="$map "
}
measure_startups() { # sets start and mapped for every program and reference
    local program round
    declare -A homes
    for program in "${programs[@]}" "${references[@]}"; do
        homes[$program]=$(fresh_home "$program")
        start_once "$program" "${homes[$program]}"
    done
    drawn_runs=() mapped_runs=()
    for round in $(seq 1 10); do
        for program in "${programs[@]}" "${references[@]}"; do
            start_once "$program" "${homes[$program]}"
        done
    done
    for program in "${programs[@]}" "${references[@]}"; do
        start[$program]=$(printf '%s\n' ${drawn_runs[$program]} | median)
        mapped[$program]=$(printf '%s\n' ${mapped_runs[$program]} | median)
        rm -rf "${homes[$program]}"
    done
}

# Starts a countdown the way a user would: the keyboard and the mouse on the real window.
start_counting() {
    local program=$1 pid=$2 window
    window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
    case "$program" in
    Vexlo | Pellum)
        # Retrieve the saved time (Vexlo), then Start, at the same place in both windows.
        if [ "$program" = Vexlo ]; then
            xdotool windowfocus --sync "$window" key Right
        fi
        xdotool mousemove --window "$window" 57 72 click 1
        ;;
    FullScreenVexlo)
        # The command menu from the keyboard: Retrieve, then Start.
        xdotool windowfocus --sync "$window" key space Down Down Return
        sleep 0.5
        xdotool key space Down Return
        ;;
    esac
}

# Per thread, "tid ns-on-the-cpu context-switches" lines: the ticks of /proc/pid/stat are
# 10 ms, and the floor spends only a few of them in 20 s.
threads_of() {
    for task in /proc/"$1"/task/*; do
        echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat" 2>/dev/null || echo 0)" \
            "$(awk '/ctxt_switches/ {s += $2} END {print s + 0}' "$task/status" 2>/dev/null)"
    done
}
# Column `column` summed between two readings: the growth of every thread seen in both, and all
# of one born between them. A thread that ended in between is not counted, nor anything it did;
# Qt's drawing threads end after half a minute idle, and summed over the living threads their
# switches would go backwards.
growth_between() { # before after column
    awk -v c="$3" 'NR == FNR {before[$1] = $c; next} {total += $c - ($1 in before ? before[$1] : 0)}
         END {print total + 0}' "$1" "$2"
}

measure_counting() { # sets cpu, peak and wakeups for every program
    local program work
    declare -A pid home
    work=$(mktemp -d)
    for program in "${programs[@]}"; do
        home[$program]=$(fresh_home "$program")
        HOME="${home[$program]}" XDG_CONFIG_HOME="${home[$program]}/.config" \
            "$(program_path "$program")" >/dev/null 2>&1 &
        pid[$program]=$!
        xdotool search --sync --onlyvisible --pid "${pid[$program]}" >/dev/null
        start_counting "$program" "${pid[$program]}"
    done
    sleep 2
    for program in "${programs[@]}"; do
        threads_of "${pid[$program]}" >"$work/$program.before"
    done
    sleep "$seconds"
    for program in "${programs[@]}"; do
        threads_of "${pid[$program]}" >"$work/$program.after"
    done
    local before after
    for program in "${programs[@]}"; do
        before=$work/$program.before
        after=$work/$program.after
        cpu[$program]=$(awk -v t="$(growth_between "$before" "$after" 2)" -v s="$seconds" \
            'BEGIN {printf "%.4f", 100 * t / 1e9 / s}')
        wakeups[$program]=$(awk -v w="$(growth_between "$before" "$after" 3)" -v s="$seconds" \
            'BEGIN {printf "%.2f", w / s}')
        peak[$program]=$(awk '/VmHWM/ {print $2}' "/proc/${pid[$program]}/status")
        kill "${pid[$program]}"
        wait "${pid[$program]}" 2>/dev/null || true
        rm -rf "${home[$program]}"
    done
    rm -rf "$work"
}

declare -A start mapped cpu peak wakeups
# The full-screen timer comes last: its window covers where the others are clicked.
programs=(Floor DateVexlo Vexlo)
[ -x "$bin/Pellum" ] && programs+=(Pellum)
programs+=(FullScreenVexlo)
# Started with the others, not counted: the floor's label over the whole screen, for what the
# size of FullScreenVexlo's window costs a start by itself.
references=(FloorFullScreen)
bus_out_of_reach && references+=(FloorNoBusSearch)
measure_startups
measure_counting
ticks=$("$tools/bench_ticks" 2>/dev/null)

printf '\n%-16s %10s %7s %10s %11s %12s %9s %7s %9s %7s %9s\n' program "start ms" "x floor" "mapped ms" "peak MB" "MB - floor" "CPU %" "x floor" "wakeups/s" "x floor" "tick us"
for program in "${programs[@]}"; do
    tick=$(awk -v p="tick_$program" '$1 == p {print $2}' <<<"$ticks")
    awk -v n="$program" -v s="${start[$program]}" -v fs="${start[Floor]}" -v m="${peak[$program]}" \
        -v fm="${peak[Floor]}" -v c="${cpu[$program]}" -v fc="${cpu[Floor]}" -v t="${tick:--}" \
        -v mp="${mapped[$program]}" -v w="${wakeups[$program]}" -v fw="${wakeups[Floor]}" \
        'function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
         BEGIN {printf "%-16s %10.1f %7.2f %10.1f %11.1f %12.1f %9.4f %7s %9.2f %7s %9s\n", n, s, s / fs, mp, m / 1024, (m - fm) / 1024, c, ratio(c, fc), w, ratio(w, fw), t}'
done
awk -v s="${start[FloorFullScreen]}" -v fs="${start[Floor]}" -v v="${start[FullScreenVexlo]}" \
    'BEGIN {printf "%-16s %10.1f %7.2f   (FullScreenVexlo: %.2f x this)\n", "Floor, full", s, s / fs, v / s}'
if [ -n "${start[FloorNoBusSearch]:-}" ]; then
    against=""
    for program in "${programs[@]:1}"; do
        against+=$(awk -v p="$program" -v v="${start[$program]}" -v s="${start[FloorNoBusSearch]}" \
            'BEGIN {printf " %s %.2f", p, v / s}')
    done
    awk -v s="${start[FloorNoBusSearch]}" -v fs="${start[Floor]}" -v a="$against" \
        'BEGIN {printf "%-16s %10.1f %7.2f   (x this:%s)\n", "Floor, no bus", s, s / fs, a}'
fi
echo
awk '/^store_|^rss_growth_/ {printf "%-28s %s %s\n", $1, $2, $3}' <<<"$ticks"
echo
echo "start ms: from exec to the first drawing in the window; mapped ms: to its first map"
echo "Floor, full: the floor's label over the whole screen, black; started, not counted"
[ -n "${start[FloorNoBusSearch]:-}" ] &&
    echo "Floor, no bus: the floor told, as the programs are here, that no session bus can be found"
echo "goals: start-up within 1.3x the floor; peak within the floor + 15 MB; CPU and wake-ups"
echo "while counting within 1.5x the floor's; one tick under 100 us; no memory growth over"
echo "100,000 ticks"
