#!/usr/bin/env bash
# Network play on the loopback, two real games in one virtual X server:
#   ./bench/net.sh [build dir]
# A duel played with xdotool, the host's rabbit and the joiner's in turn,
# each side firing at its own feet until red has lost. Prints the delay from
# the active machine's look to the other machine's same look, for every look
# that took in keys (median and worst), and how long each side takes to be
# back at its title screen after the other quits or is killed mid-turn.
set -euo pipefail
build=$(realpath "${1:-build}")
run="$build/run"
cmake --build "$build" --target zanderfell zanderfell_bench_net zanderfell_closebox >/dev/null

work=$(mktemp -d)
xvfb_pid=""
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  [[ -n "${KEEP:-}" ]] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/../tests/e2e/xvfb.sh"
start_xvfb "$work" || exit 1
export SDL_AUDIODRIVER=dummy
title=$(pixel "$run/Images/TitelScherm1.bmp" 500 305)
port=$((30000 + RANDOM % 20000))

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The window of process $1 (the game opens a new one for each match: look
# it up each time; xdotool's --pid search is not reliable here).
window_of() {
  for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --name '^Zanderfell$' 2>/dev/null); do
      [[ "$(xprop -id "$w" _NET_WM_PID 2>/dev/null)" == *" = $1" ]] && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
at_title() {
  local w
  w=$(window_of "$1") || return 1
  xdotool windowraise "$w" 2>/dev/null || true   # the other game's window lies over it
  xwd -id "$w" -silent 2>/dev/null | convert xwd:- "bmp3:$work/t$1.bmp" 2>/dev/null &&
    [[ "$(pixel "$work/t$1.bmp" 501 306)" == "$title" ]]
}
# Waits (up to 10 s) for the title screen of process $1; prints the ms since $2.
title_after() {
  for _ in $(seq 400); do
    at_title "$1" && { echo $(($(now_ms) - $2)); return 0; }
    sleep 0.025
  done
  echo "never"
}
start_pair() {
  rm -f "$work/host.log" "$work/join.log"
  for side in host join; do
    rm -rf "$work/$side"; mkdir -p "$work/$side"; game_dir "$run" "$work/$side"
  done
  (cd "$work/host" && ZF_KEY_LOG="$work/host.log" exec "$build/bench/zanderfell_bench_net" --host "$port" >/dev/null 2>"$work/host.err") &
  host=$!
  sleep 0.5
  (cd "$work/join" && ZF_KEY_LOG="$work/join.log" exec "$build/bench/zanderfell_bench_net" --join "127.0.0.1:$port" >/dev/null 2>"$work/join.err") &
  join=$!
  pids=("$host" "$join")
  window_of "$host" >/dev/null && window_of "$join" >/dev/null || { echo "FAIL: no windows"; exit 1; }
  title_after "$host" "$(now_ms)" >/dev/null
}
# One turn: end the move (Enter held), the bazooka (Enter), aim, fire at power 0.
turn() {
  xdotool windowfocus --sync "$(window_of "$1")"
  xdotool keydown Return; sleep 1.5; xdotool keyup Return
  sleep 0.5
  xdotool key --delay 120 Up Up
  sleep 0.3
  xdotool key space
  sleep 4
}

echo "== a duel over the loopback"
start_pair
xdotool windowfocus --sync "$(window_of "$host")"
xdotool key --delay 150 Down Down Return
sleep 2
for t in 1 2 3 4 5 6 7; do
  if ((t % 2)); then turn "$host"; else turn "$join"; fi
done
# The victory screen is the host's: R leads both back, the joiner to its
# waiting screen.
xdotool windowfocus --sync "$(window_of "$host")"; xdotool key r; sleep 1
cp "$work/host.log" "$work/duel-host.log"; cp "$work/join.log" "$work/duel-join.log"
python3 - "$work/host.log" "$work/join.log" <<'PY'
import sys
# When each side took in the last key of a look of a match (looks count
# from 1 again in each match): a key read looks on until a key is queued, so
# the active side draws its next frame after the look's last key; the other
# side takes all of that look's keys at once. The side whose team it was is
# the active one. The host's keys before its first match are its menus'.
def load(path, menus):
    at, team, match, last = {}, {}, -1 if menus else 0, 0
    for line in open(path):
        look, t, _, _, us = (int(x) for x in line.split())
        if look < last:
            match += 1
        last = look
        at[match, look] = us
        team.setdefault((match, look), t)
    return at, team
host, team = load(sys.argv[1], True)
join, _ = load(sys.argv[2], False)
d = sorted(((host[k] - join[k]) if team[k] == 2 else (join[k] - host[k])) / 1000 for k in host if k in join)
if not d:
    print("no looks with keys on both sides")
else:
    print(f"looks with keys: {len(d)}; delay to the same look on the other machine: "
          f"median {d[(len(d) - 1) // 2]:.1f} ms, worst {d[-1]:.1f} ms")
PY
grep -q "out of step" "$work/host.err" "$work/join.err" && echo "FAIL: out of step" || echo "no difference in any turn's state hash"

echo "== the host quits (close box) while the joiner waits: the joiner's title"
"$build/e2e/zanderfell_closebox" "$(window_of "$host")"
t0=$(now_ms)
echo "joiner back at its title after $(title_after "$join" "$t0") ms; $(cat "$work/join.err")"
wait "$host" && echo "host exit code 0" || echo "host exit code $?"
kill -TERM "$join"; wait "$join" && echo "joiner exit code 0 on quitting" || echo "joiner exit code $?"

echo "== the joiner killed in the middle of its turn: the host's title"
start_pair
xdotool windowfocus --sync "$(window_of "$host")"
xdotool key --delay 150 Down Down Return
sleep 2
turn "$host"
xdotool windowfocus --sync "$(window_of "$join")"; xdotool keydown Return; sleep 0.5
kill -9 "$join"; t0=$(now_ms)
xdotool keyup Return
echo "host back at its title after $(title_after "$host" "$t0") ms; $(cat "$work/host.err")"
kill -TERM "$host"; wait "$host" && echo "host exit code 0 on quitting" || echo "host exit code $?"
pids=()
