#!/usr/bin/env bash
# The real game, as a player uses it: a virtual X server of our own, keys typed
# with xdotool, screenshots read back.
#   xvfb_game.sh RUN_DIR E2E_TOOLS_DIR OUTPUT_DIR
set -euo pipefail
run=$(realpath "$1") tools=$(realpath "$2") out=$(realpath -m "$3")
mkdir -p "$out"

# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool xwd xwininfo convert compare

# A game directory of its own, so the player's random state file is untouched.
game_dir "$run" "$work"

start_xvfb "$work" || exit 1
echo "virtual X server on $DISPLAY"

shot() { xwd -id "$1" -silent | convert xwd:- "bmp3:$out/$2.bmp"; }
# Waits until the box of the window differs from the reference screenshot.
wait_change() {
  local wid=$1 ref=$2 name=$3 box=$4 tries=$5
  for _ in $(seq "$tries"); do
    shot "$wid" "$name"
    # shellcheck disable=SC2086
    [[ $(changed "$out/$ref.bmp" "$out/$name.bmp" $box) -gt 20 ]] && return 0
    sleep 0.25
  done
  return 1
}

echo "--- keys typed into a real window arrive as the game's key codes"
"$tools/zanderfell_keyprobe" >"$work/keys.txt" 2>"$work/keys.err" &
probe=$!
wid=$(find_window "Zanderfell Keys" 1000x700) || fail "no key probe window with a client area of 1000 x 700"
xdotool windowfocus --sync "$wid"
xdotool key --delay 60 a Left Return space b alt+v Up Escape
wait "$probe" || fail "the key probe ended badly: $(cat "$work/keys.err")"
expected=$'client 1000x700\nkey 65\nkey 37\nkey 13\nkey 32\nkey 66\nkey 38\nkey 27'
[[ "$(cat "$work/keys.txt")" == "$expected" ]] || fail "keys arrived as: $(cat "$work/keys.txt")"

# The loudest sample (16-bit, any channel) of the sound written so far from
# byte FROM on, and the length written (whole frames of 4 bytes).
audio=$work/audio.raw
loudest() { tail -c "+$(($1 + 1))" "$audio" | od -An -v -td2 | awk '{for (i = 1; i <= NF; i++) {v = $i < 0 ? -$i : $i; if (v > m) m = v}} END {print m + 0}'; }
written() { echo $(( $(stat -c %s "$audio") / 4 * 4 )); }

echo "--- a short duel: title entry 3, end the move, bazooka, aim, fire"
# Heard through SDL's disk driver: the mixed sound goes into a file, in real
# time, as 44.1 kHz stereo 16-bit samples (SDL announces that driver on
# stderr itself).
(cd "$work" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" exec ./zanderfell >"$work/stdout.txt" 2>"$work/stderr.txt") &
game_pid=$!
wid=$(wait_title) || fail "the title screen did not appear: $(cat "$work/stderr.txt")"
sleep 0.3
[[ $(loudest 0) -eq 0 ]] || fail "the title screen is not silent"
[[ "$(xdotool getwindowname "$wid")" == Zanderfell ]] || fail "wrong title"
[[ "$(find_window Zanderfell 1000x700)" == "$wid" ]] || fail "the game's client area is not 1000 x 700"
xdotool windowfocus --sync "$wid"
# The sound keys: the choice is kept in Sound.txt, and keys held with Alt
# never reach the game (an Alt+Down that did would move the title's choice,
# with its sound).
for step in "alt+Down:volume 9 muted 0" "alt+Up:volume 10 muted 0" "alt+m:volume 10 muted 1" "alt+m:volume 10 muted 0"; do
  xdotool key "${step%%:*}"
  for _ in $(seq 20); do [[ "$(tr '\n' ' ' <"$work/Sound.txt" 2>/dev/null)" == "${step#*:} " ]] && break; sleep 0.1; done
  [[ "$(tr '\n' ' ' <"$work/Sound.txt" 2>/dev/null)" == "${step#*:} " ]] || fail "after ${step%%:*} Sound.txt holds: $(cat "$work/Sound.txt" 2>&1)"
done
sleep 0.3
[[ $(loudest 0) -eq 0 ]] || fail "a key held with Alt reached the game"
shot "$wid" title
menus=$(written)
xdotool key --delay 150 Down Down
sleep 0.5
# Only the two menu moves: quieter than any blast, and heard.
menu_peak=$(loudest "$menus")
[[ $menu_peak -gt 1000 && $menu_peak -lt 9000 ]] || fail "the menu moves sound at $menu_peak"
xdotool key Return
wait_change "$wid" title level "539 357 560 371" 60 || fail "the duel did not start"
sleep 0.3
shot "$wid" level
# Enter held ends the move, and still held when the weapon is chosen it
# takes the bazooka at once.
xdotool keydown Return; sleep 1.5; xdotool keyup Return
sleep 0.5
xdotool key --delay 120 Up Up Left                        # aim; Left is not an aiming key
sleep 0.3
xdotool key space                                          # confirm and fire at once: power 0
# The turn passes to rabbit 2 at (550, 432): the arrow appears over its head.
wait_change "$wid" level turn2 "539 357 560 371" 60 || fail "the turn did not pass to the other rabbit"
shot_peak=$(loudest "$menus")
[[ $shot_peak -gt 12000 ]] || fail "the shot's blast was not heard (loudest sample $shot_peak)"
echo "loudest sample: menu moves $menu_peak, after the shot $shot_peak"
new_sky=$(newsky "$out/level.bmp" "$out/turn2.bmp")
[[ "$new_sky" -gt 500 ]] || fail "no crater: only $new_sky pixels turned to sky"
grep -q "Geen geldige toets" "$work/stdout.txt" || fail "the aiming message was not written"
convert "$out/title.bmp" "$out/title.png"
convert "$out/turn2.bmp" "$out/duel.png"

echo "--- the close box ends the game with exit code 0, during a flight too"
xdotool keydown Return; sleep 1.5; xdotool keyup Return   # rabbit 2: bazooka
sleep 0.5
xdotool key --delay 120 Up Up Up Up
xdotool keydown space; sleep 1.2; xdotool keyup space     # a long shot
sleep 0.5
"$tools/zanderfell_closebox" "$wid" || fail "could not click the close box"
ends_with_0 "the close box"

echo "--- Esc during a flight pauses it; Esc again resumes; the menu leads back to the title; Q quits"
# Muted, the game opens no sound device at all (here ALSA is asked for one
# that does not exist) and says nothing.
(cd "$work" && SDL_AUDIODRIVER=alsa AUDIODEV=zanderfell-none exec ./zanderfell --mute >/dev/null 2>"$work/stderr4.txt") &
game_pid=$!
wid=$(wait_title) || fail "no title screen: $(cat "$work/stderr4.txt")"
xdotool windowfocus --sync "$wid"
xdotool key --delay 150 Down Down Return
sleep 1.5
xdotool keydown Return; sleep 1.5; xdotool keyup Return   # the bazooka
sleep 0.5
xdotool key --delay 120 Up Up Up Up
xdotool keydown space; sleep 1.2; xdotool keyup space     # a long shot
sleep 0.2
xdotool key Escape
lit=$(pixel "$run/Images/PauzeMenu1.bmp" 330 100)
for _ in $(seq 40); do
  shot "$wid" paused
  [[ "$(pixel "$out/paused.bmp" 630 270)" == "$lit" ]] && break
  sleep 0.1
done
[[ "$(pixel "$out/paused.bmp" 630 270)" == "$lit" ]] || fail "Esc showed no menu"
sleep 1
shot "$wid" still
[[ $(changed "$out/paused.bmp" "$out/still.bmp") -eq 0 ]] ||
  fail "the flight went on while paused"
xdotool key Escape
wait_change "$wid" paused resumed "320 190 680 420" 40 || fail "Esc again did not resume"
xdotool key Escape
sleep 0.3
xdotool key --delay 150 Down Return
wid=$(wait_title) || fail "quit to the title did not come back to the title"
xdotool windowfocus --sync "$wid"
xdotool key q
ends_with_0 "Q after quitting a game to the title"
[[ ! -s "$work/stderr4.txt" ]] || fail "the muted game said: $(cat "$work/stderr4.txt")"

echo "--- SIGTERM ends the game with exit code 0, also at an idle title screen"
# Without a sound device (ALSA asked for one that does not exist) the game
# plays silent and says so in one line; ALSA's own complaints stay unsaid.
(cd "$work" && SDL_AUDIODRIVER=alsa AUDIODEV=zanderfell-none exec ./zanderfell >/dev/null 2>"$work/stderr3.txt") &
game_pid=$!
wait_title >/dev/null || fail "no title screen: $(cat "$work/stderr3.txt")"
kill -TERM "$game_pid"
ends_with_0 "SIGTERM"
[[ "$(wc -l <"$work/stderr3.txt")" -eq 1 ]] && grep -q "^zanderfell: no sound device" "$work/stderr3.txt" ||
  fail "without a sound device the game said: $(cat "$work/stderr3.txt")"

echo "--- a display that goes away ends the game (exit code 1), it never hangs"
mkdir -p "$work/second"
Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp 8>"$work/second/display" 2>/dev/null &
second_xvfb=$!
for _ in $(seq 100); do [[ -s "$work/second/display" ]] && break; sleep 0.05; done
(cd "$work" && DISPLAY=":$(cat "$work/second/display")" exec ./zanderfell >/dev/null 2>&1) &
game_pid=$!
sleep 1.5
kill "$second_xvfb"
game_ends "its display went away"
[[ $rc -ne 0 ]] || fail "exit code 0 after the display went away"

echo "PASS"
