#!/usr/bin/env bash
# Every game a replay, end to end: a duel played with real keys in the real
# window is recorded; the record verifies headless against the real game's
# own turn ends and end hash; a game killed with SIGKILL leaves a record that
# plays up to there; a record plays in the window and its keys pause and
# stop it.
#   xvfb_replay.sh RUN_DIR E2E_TOOLS_DIR OUTPUT_DIR
set -euo pipefail
run=$(realpath "$1") tools=$(realpath "$2") out=$(realpath -m "$3")
mkdir -p "$out"
# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool xwd convert compare
game_dir "$run" "$work"
start_xvfb "$work" || exit 1

newest() { ls -1 "$work"/Replays/*.zfr | sort | tail -n 1; }
# A turn of the duel with real keys: Enter ends the move, Enter takes the
# bazooka, Space fires it at once at the rabbit's own feet.
self_shot() {
  xdotool key Return; sleep 0.6
  xdotool keydown Return; sleep 0.3; xdotool keyup Return; sleep 0.4
  xdotool key space; sleep 2.2
}

echo "--- a duel played with real keys to its end, paused once, is recorded and verifies"
(cd "$work" && SDL_AUDIODRIVER=dummy exec ./zanderfell >/dev/null 2>"$work/stderr.txt") &
game_pid=$!
wid=$(wait_title) || fail "no title screen: $(cat "$work/stderr.txt")"
xdotool windowfocus --sync "$wid"
xdotool key --delay 150 Down Down Return
sleep 1.5
for turn in $(seq 24); do
  grep -q "^end " "$(newest)" 2>/dev/null && break
  self_shot
  [[ $turn -eq 2 ]] && { xdotool key Escape; sleep 1; xdotool key Escape; sleep 0.5; }  # a pause is no part of the game
done
grep -q "^end winner" "$(newest)" || fail "the duel did not end: $(tail -n 3 "$(newest)")"
record=$(newest)
cp "$record" "$out/real-duel.zfr"
xdotool key r; sleep 0.5          # the victory screen, back to the title
xdotool key q
ends_with_0 "Q after the duel"
said=$(cd "$work" && ./zanderfell --verify "$record") || fail "the real duel does not verify: $said"
echo "$said"
[[ "$said" == *": ok ("*" turns, team "*" won)" ]] || fail "verification said: $said"

echo "--- SIGKILL in the middle of a game leaves a record that plays up to there"
(cd "$work" && SDL_AUDIODRIVER=dummy exec ./zanderfell >/dev/null 2>>"$work/stderr.txt") &
game_pid=$!
wid=$(wait_title) || fail "no title screen"
xdotool windowfocus --sync "$wid"
xdotool key --delay 150 Down Down Return
sleep 1.5
self_shot
xdotool keydown Right; sleep 0.8
kill -KILL "$game_pid"; wait "$game_pid" 2>/dev/null || true
game_pid=""
killed=$(newest)
[[ "$killed" != "$record" ]] || fail "the killed game left no record"
said=$(cd "$work" && ./zanderfell --verify "$killed") || fail "the killed game's record does not verify: $said"
[[ "$said" == *"ok up to where it was cut short (turns checked: "* ]] || fail "verification said: $said"
xdotool keyup Right

echo "--- playback: Space pauses it, Q stops it; played to its end with Right held"
(cd "$work" && SDL_AUDIODRIVER=dummy exec ./zanderfell --replay "$record" >/dev/null 2>>"$work/stderr.txt") &
game_pid=$!
wid=$(find_window Zanderfell) || fail "the playback shows no window"
xdotool windowfocus --sync "$wid"
sleep 2.5
xdotool key space; sleep 0.5
xwd -id "$wid" -silent | convert xwd:- "bmp3:$out/paused.bmp"
sleep 1.5
xwd -id "$wid" -silent | convert xwd:- "bmp3:$out/still.bmp"
[[ $(changed "$out/paused.bmp" "$out/still.bmp") -eq 0 ]] ||
  fail "the playback went on while paused"
xdotool key q
ends_with_0 "Q during a playback"
start=$SECONDS
(cd "$work" && SDL_AUDIODRIVER=dummy exec ./zanderfell --replay "$record" >/dev/null 2>>"$work/stderr.txt") &
game_pid=$!
wid=$(find_window Zanderfell) || fail "the playback shows no window"
xdotool windowfocus --sync "$wid"
xdotool keydown Right
for _ in $(seq 600); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
xdotool keyup Right
ends_with_0 "the end of a playback"
echo "a played duel of $(grep -c '^turn ' "$record") turns played back in $((SECONDS - start)) s with Right held"
! grep -q "did not play as recorded" "$work/stderr.txt" || fail "$(cat "$work/stderr.txt")"
echo "PASS"
