#!/usr/bin/env bash
# The real window opened and closed over and over on a busy machine, where a
# wake-up of the window thread from another thread meets the end of its
# window most often: a stress program that reopens the window hundreds of
# times while presenting from a second thread, then the game started many
# times and quit with Q at the title. Every run must end with exit code 0
# and nothing on stderr (an X error would show there).
#   xvfb_stress.sh RUN_DIR E2E_TOOLS_DIR [ROUNDS [GAMES]]
set -euo pipefail
run=$(realpath "$1") tools=$(realpath "$2") rounds=${3:-200} games=${4:-50}

# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool timeout
game_dir "$run" "$work"

start_xvfb "$work" || exit 1
# Two busy loops: the window thread gets the processor late and at odd
# moments. Niced, so that the X server and the game still get through the
# many starts in reasonable time.
for _ in 1 2; do
  nice -n 10 bash -c "while :; do :; done" &
  load_pids+=($!)
done

echo "--- $rounds windows opened and closed while another thread presents"
"$tools/zanderfell_windowstress" "$rounds" >"$work/stress.out" 2>"$work/stress.err" ||
  fail "the stress program ended with exit code $?: $(cat "$work/stress.out" "$work/stress.err")"
[[ ! -s "$work/stress.err" ]] || fail "the stress program wrote on stderr: $(cat "$work/stress.err")"

echo "--- the game started $games times and quit with Q at the title (${SECONDS} s so far)"
# Q goes to the newest visible game window until the game ends: one typed
# into the window of the start-up, before the title's, is simply lost.
quit_with_q() {
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || return 0
    local wid
    wid=$(xdotool search --onlyvisible --name '^Zanderfell$' 2>/dev/null | tail -n 1) || true
    [[ -n "$wid" ]] && timeout 2 xdotool windowfocus --sync "$wid" key q >/dev/null 2>&1 || true
    sleep 0.1
  done
  return 1
}
# With sound on, through SDL's dummy driver (the test machine has no sound
# card): every quit also ends the mixer's thread, and still says nothing.
for i in $(seq "$games"); do
  (cd "$work" && SDL_AUDIODRIVER=dummy exec ./zanderfell >/dev/null 2>"$work/game.err") &
  game_pid=$!
  quit_with_q || fail "game $i did not end after Q: $(cat "$work/game.err")"
  ends_with_0 "Q in game $i"
  [[ ! -s "$work/game.err" ]] || fail "game $i said: $(cat "$work/game.err")"
done

echo "PASS in ${SECONDS} s"
