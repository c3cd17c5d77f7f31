#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release and runs them: the engine's capture
# and tick, then the real main window under Xvfb (started here when no display is set), with a
# table of the figures that have budgets; last the computer players' strength table.
#   scripts/bench.sh [seconds per level for the window, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
scripts/install-deps.sh --tests
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFENDRAL_TESTS=OFF -DFENDRAL_BENCH=ON
cmake --build build/bench
out=build/bench/results
mkdir -p "$out"

for benchmark in capture tick replay; do
    build/bench/bench/fendral_bench_$benchmark \
        --benchmark_out="$out/$benchmark.json" --benchmark_out_format=json
done

xvfb_pid=
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid"' EXIT
if [ -z "${DISPLAY:-}" ]; then
    # Large enough for full screen at cells of 15 pixels; the window keeps its described size
    Xvfb -displayfd 3 -screen 0 2560x1440x24 -nolisten tcp -noreset 3>"$out/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$out/display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$out/display")"
fi
QT_QPA_PLATFORM=xcb build/bench/bench/fendral_bench_window "$seconds" | tee "$out/window.txt"

# The figures against their budgets: a logic step has 72 ms (8 ticks of 9 ms), a tick's sprite
# redraw 9 ms, the whole window 3 % of one core at level 50 and sound 1 % more; --verify-replay
# checks a game at least 1000 times as fast as it was played
jsonField() { # jsonField FILE BENCHMARK FIELD: a number of one benchmark in Google Benchmark's JSON
    awk -v name="$2" -v field="$3" -F': ' '
        $1 ~ /"name"$/ { current = $2; gsub(/[",]/, "", current) }
        current == name && $1 ~ "\"" field "\"$" { value = $2; gsub(/,/, "", value); print value; exit }' "$1"
}
stepSeconds=$(jsonField "$out/tick.json" LogicStepAtLevel50 'per step')
spritesMicros=$(jsonField "$out/tick.json" DrawSpritesAtLevel50 cpu_time)
playedSeconds=$(jsonField "$out/replay.json" verifyGame/50 played_seconds)
echo
echo "| figure | measured | budget | share of budget |"
echo "|---|---|---|---|"
awk -v s="$stepSeconds" 'BEGIN { printf "| logic step, level 50 | %.2f µs | 72 ms | %.4f %% |\n", s * 1e6, s / 0.072 * 100 }'
awk -v us="$spritesMicros" 'BEGIN { printf "| sprite tick, level 50 | %.1f µs | 9 ms | %.2f %% |\n", us, us / 9000 * 100 }'
awk -v r="$playedSeconds" 'BEGIN { printf "| --verify-replay of a game from level 50 | %.0f times as fast as played | 1000 times | %.2f %% |\n", r, 1000 / r * 100 }'
awk 'NR > 1 && $1 == "sound" { printf "| sound at level 50, on against off (medians of three each) | %s against %s: %s of a core | 1 %% of a core | |\n", $2, $3, $4 }
     NR > 1 && $1 == "bare" { printf "| bare window of the same size, same timer, one sprite repainted per frame | %s of a core | | |\n", $2 }
     NR > 1 && $1 != "bare" && $1 != "sound" && $7 == "window" { printf "| window, level %s | %s of a core, stepMultiplier %s, %s of %s steps/s | 3 %% of a core at level 50 | |\n", $1, $2, $3, $4, $5 }
     NR > 1 && $1 != "bare" && $1 != "sound" && $7 == "full" { printf "| full screen at n = %s, level %s | %s of a core, stepMultiplier %s, %s of %s steps/s | twice the window at level 50 | |\n", $6, $1, $2, $3, $4, $5 }' "$out/window.txt"

# The computer players' strength table: seeded games of one lone player per strength, and the
# time of their decisions (FENDRAL_COMPUTER_SEEDS seeds per row, 100 by default)
echo
build/bench/bench/fendral_bench_computer --seeds "${FENDRAL_COMPUTER_SEEDS:-100}" \
    | tee "$out/computer.txt"
