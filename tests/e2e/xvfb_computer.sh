#!/usr/bin/env bash
# Two computers in the real window: they play the duel by themselves, the
# window stays responsive while they think (the close box ends the game at
# once), and the cut match's record verifies headless.
#   xvfb_computer.sh RUN_DIR E2E_TOOLS_DIR
set -euo pipefail
run=$(realpath "$1") tools=$(realpath "$2")
# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool xwd convert
game_dir "$run" "$work"
start_xvfb "$work" || exit 1

(cd "$work" && exec ./zanderfell --mute --red hard --blue normal >"$work/out.txt" 2>"$work/err.txt") &
game_pid=$!
wid=$(wait_title) || fail "no title screen: $(cat "$work/err.txt")"
xdotool windowfocus --sync "$wid"
xdotool key --delay 150 Down Down Return  # the duel
# The first turns: each team plans at its turn's first look and plays.
record=""
for _ in $(seq 600); do
  record=$(ls "$work"/Replays/*.zfr 2>/dev/null | head -n 1 || true)
  if [[ -n "$record" ]] && (( $(grep -c "^turn " "$record" || true) >= 2 )); then break; fi
  sleep 0.1
done
[[ -n "$record" ]] || fail "no record of the match: $(ls "$work"; cat "$work/err.txt")"
grep -q "^team 1 hard" "$record" || fail "the record does not say red was the hard computer"
# Closed in the middle of the computers' play: the game ends at once.
start=$(date +%s%N)
"$tools/zanderfell_closebox" "$wid" || fail "could not click the close box"
for _ in $(seq 20); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 1 s after the close box"
echo "the game ended $(( ($(date +%s%N) - start) / 1000000 )) ms after the close box"
ends_with_0 "the close box"
turns=$(grep -c "^turn " "$record" || true)
(( turns >= 2 )) || fail "only $turns turns in a minute: $(cat "$work/err.txt")"
(cd "$work" && ./zanderfell --verify "$record") || fail "the computers' match does not verify"
echo "OK: $turns turns played by the computers, the record verifies"
