#!/usr/bin/env bash
# Runs every benchmark and measurement: ./bench/run.sh [build dir]
# Starts its own virtual X server for the ones that need a real window.
set -euo pipefail
build=$(realpath "${1:-build}")
run="$build/run"
cmake -S "$(dirname "$0")/.." -B "$build" -DZF_BENCH=ON >/dev/null
cmake --build "$build" --target zanderfell zanderfell_bench_field zanderfell_bench_game zanderfell_bench_shots zanderfell_bench_pacing \
  zanderfell_bench_scale zanderfell_bench_computer zanderfell_tournament >/dev/null

echo "== frame costs, headless (medians of 5 repetitions)"
"$build/bench/zanderfell_bench_field" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 2>/dev/null | grep -E "median|min|max|^Benchmark" || true

echo "== the shot simulator (CPU time)"
"$build/bench/zanderfell_bench_shots" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E "median|^Benchmark" || true

echo "== the picture scaled into the window (the window thread's work, CPU time)"
"$build/bench/zanderfell_bench_scale" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E "median|^Benchmark" || true
echo "== the computer player's decision, each landscape and strength (CPU time)"
"$build/bench/zanderfell_bench_computer" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E "median|max|^Benchmark" || true

echo "== computer tournaments, headless in virtual time (a few minutes)"
"$build/bench/zanderfell_tournament" "${ZF_TOURNAMENT_MATCHES:-100}" 2>&1 >/dev/null | grep -v "^  " || true

echo "== a whole scripted game, headless in virtual time"
"$build/bench/zanderfell_bench_game" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E "median|^Benchmark" || true

# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/../tests/e2e/xvfb.sh"
start_xvfb "$work" || exit 1
game_dir "$run" "$work"
# With sound on: the game mixes on SDL's audio thread as with a sound card
# (dummy: mixed and thrown away; disk: written to a file). Override with
# SDL_AUDIODRIVER=disk ./bench/run.sh.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export SDL_DISKAUDIOFILE=${SDL_DISKAUDIOFILE:-$work/audio.raw}

echo "== pacing in a real window (wall time / sum of the waits), sound driver $SDL_AUDIODRIVER"
"$build/bench/zanderfell_bench_pacing" "$work"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

echo "== start-up and idle CPU of the real game"
start=$(date +%s%N)
(cd "$work" && exec "$run/zanderfell" >/dev/null 2>&1) &
game_pid=$!
title_ms=""
want=$(convert "$run/Images/TitelScherm1.bmp" -format '%[pixel:p{500,305}]' info:)
for _ in $(seq 300); do
  wid=$(xdotool search --onlyvisible --name '^Zanderfell$' 2>/dev/null | tail -n 1 || true)
  if [[ -n "$wid" ]] &&
     [[ "$(xwd -id "$wid" -silent 2>/dev/null | convert xwd:- -format '%[pixel:p{501,306}]' info: 2>/dev/null)" == "$want" ]]; then
    title_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    break
  fi
  sleep 0.01
done
echo "process start to title screen visible: ${title_ms:-?} ms (screenshot polling adds up to ~50 ms)"
sleep 1
wid=$(xdotool search --onlyvisible --name '^Zanderfell$' | tail -n 1)
t0=$(cpu_ticks "$game_pid"); sleep 10; t1=$(cpu_ticks "$game_pid")
echo "CPU while the title screen waits 10 s: $(awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN{printf "%.2f%%", 100*d/hz/10}') of a core"
xdotool windowfocus --sync "$wid"
xdotool key --delay 100 Down Down Return
sleep 2
t0=$(cpu_ticks "$game_pid"); sleep 10; t1=$(cpu_ticks "$game_pid")
echo "CPU during a movement phase with no key, 10 s: $(awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN{printf "%.2f%%", 100*d/hz/10}') of a core"
echo "peak resident memory: $(awk '/VmHWM/{print $2, $3}' "/proc/$game_pid/status")"
kill -TERM "$game_pid"; wait "$game_pid" || true; game_pid=""

echo "== the real game fullscreen on a 2560 x 1440 screen (a window manager of its own)"
kill "$xvfb_pid"; wait "$xvfb_pid" 2>/dev/null || true
start_xvfb "$work" 2560x1440 || exit 1
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
sleep 1
(cd "$work" && exec "$run/zanderfell" --fullscreen >/dev/null 2>&1) &
game_pid=$!
sleep 4
t0=$(cpu_ticks "$game_pid"); sleep 10; t1=$(cpu_ticks "$game_pid")
echo "CPU while the title screen waits 10 s: $(awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN{printf "%.2f%%", 100*d/hz/10}') of a core"
wid=$(xdotool search --onlyvisible --name '^Zanderfell$' | tail -n 1)
xdotool windowactivate --sync "$wid" 2>/dev/null || true
xdotool key --delay 100 Down Down Return
sleep 2
t0=$(cpu_ticks "$game_pid"); sleep 10; t1=$(cpu_ticks "$game_pid")
echo "CPU during a movement phase with no key, 10 s: $(awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN{printf "%.2f%%", 100*d/hz/10}') of a core"
kill -TERM "$game_pid"; wait "$game_pid" || true; game_pid=""
kill "$wm_pid" 2>/dev/null || true
