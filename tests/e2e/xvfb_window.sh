#!/usr/bin/env bash
# The window on today's screens, as a player uses it: the command line, a
# virtual gamepad, the title picture scaled when the window is resized (read
# back at the scaled places), fullscreen under a window manager, and the
# window's size and choice remembered in the player's directory. The game's
# own picture stays the same throughout.
#   xvfb_window.sh RUN_DIR E2E_TOOLS_DIR OUTPUT_DIR
set -euo pipefail
run=$(realpath "$1") tools=$(realpath "$2") out=$(realpath -m "$3")
mkdir -p "$out"
# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool xwd xwininfo convert compare openbox
game_dir "$run" "$work"

echo "--- the command line: --help and --version end at once, anything else is one line and exit code 2"
# (The manual page's test reads every option --help names.)
(cd "$work" && env -u DISPLAY ./zanderfell --help >/dev/null) || fail "--help ended with $?"
version=$(cd "$work" && env -u DISPLAY ./zanderfell --version) || fail "--version ended with $?"
[[ "$version" =~ ^zanderfell\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version said: $version"
for args in "--bogus" "--fullscreen -f" "fullscreen" "--mute --help=x"; do
  rc=0
  # shellcheck disable=SC2086
  (cd "$work" && env -u DISPLAY ./zanderfell $args >"$work/o.txt" 2>"$work/e.txt") || rc=$?
  [[ $rc -eq 2 && ! -s "$work/o.txt" && "$(cat "$work/e.txt")" =~ ^zanderfell:\ unknown\ option\ [^$'\n']*\(try\ --help\)$ ]] ||
    fail "$args: exit code $rc, stdout '$(cat "$work/o.txt")', stderr '$(cat "$work/e.txt")'"
done

start_xvfb "$work" 2560x1440 || exit 1
shot() { xwd -id "$1" -silent | convert xwd:- "png24:$2"; }
# Waits until the window's picture stops changing, in FILE.
settled() {
  shot "$1" "$2"
  for _ in $(seq 50); do
    sleep 0.2
    shot "$1" "$work/again.png"
    [[ "$(changed "$2" "$work/again.png")" == 0 ]] && return 0
    cp "$work/again.png" "$2"
  done
  return 1
}
# True when the BOX of a screenshot, scaled back to 1000 x 700, is the title
# picture (a mean difference below 3 %; 5 pixels off place is 8 %).
shows_title() {
  local d
  convert "$1" -crop "$2" +repage -resize '1000x700!' "png24:$work/back.png"
  d=$({ compare -metric RMSE "$work/back.png" "$out/title.png" null: 2>&1 || true; } | sed -n 's/.*(\(.*\))/\1/p')
  awk -v d="$d" 'BEGIN {exit !(d != "" && d < 0.03)}'
}
# The bars: black in the boxes given.
black() { for box in "${@:2}"; do [[ $(convert "$1" -crop "$box" +repage -format '%[fx:int(255*maxima)]' info:) -eq 0 ]] || return 1; done; }
# The game's window at SIZE showing the title in BOX: a signal before the
# title would meet the start-up between its two windows.
wait_scaled_title() {
  local wid
  for _ in $(seq 100); do
    wid=$(find_window Zanderfell "$1") || return 1
    shot "$wid" "$work/t.png" 2>/dev/null && shows_title "$work/t.png" "$2" && return 0
    sleep 0.1
  done
  return 1
}
start_game() {
  (cd "$work" && SDL_AUDIODRIVER=dummy exec ./zanderfell "$@" >/dev/null 2>"$work/err.txt") &
  game_pid=$!
}
stop_game() {
  kill -TERM "$game_pid"
  ends_with_0 "SIGTERM"
  [[ ! -s "$work/err.txt" ]] || fail "the game said: $(cat "$work/err.txt")"
}

echo "--- a virtual gamepad: A, the d-pad, X, the stick, a shoulder and Back arrive as the keyboard's keys; unplugged, it lets go"
"$tools/zanderfell_padprobe" >"$work/pad.txt" 2>&1 &
probe=$!
wid=$(find_window "Zanderfell Pad") || fail "the pad probe's window did not appear"
xdotool windowfocus --sync "$wid"
timeout 30 tail --pid="$probe" -f /dev/null || fail "the pad probe did not end: $(cat "$work/pad.txt")"
wait "$probe" || fail "the pad probe ended badly: $(cat "$work/pad.txt")"
# Space, Up, Right, B, Left (the stick: once, past the threshold), N, Space
# held, R; the pad unplugged while it holds Space lets go of it.
expected=$'key 32\nkey 38\nkey 39\nkey 66\nkey 37\nkey 78\nkey 32\nkey 82\nunplugged: Space let go'
[[ "$(cat "$work/pad.txt")" == "$expected" ]] || fail "the pad's keys arrived as: $(cat "$work/pad.txt")"

echo "--- the title picture at 1000 x 700, then scaled by 2, then by 9/7 with bars"
start_game
wid=$(wait_title) || fail "no title screen: $(cat "$work/err.txt")"
[[ "$(find_window Zanderfell 1000x700)" == "$wid" ]] || fail "the first window is not 1000 x 700"
settled "$wid" "$out/title.png" || fail "the title screen did not settle"
# At the top left, where a window this large stays on the screen whole.
xdotool windowmove --sync "$wid" 0 0 windowsize "$wid" 2000 1400
wid=$(find_window Zanderfell 2000x1400) || fail "the window did not grow to 2000 x 1400"
settled "$wid" "$out/twice.png" || fail "the window at 2000 x 1400 did not settle"
# Sharp: every pixel of the title a 2 x 2 block of its colour (a blend would
# change nearly every one).
convert "$out/twice.png" -sample '1000x700!' "png24:$work/sampled.png"
[[ "$(changed "$work/sampled.png" "$out/title.png")" == 0 ]] || fail "scaled by 2, the picture is not the title's pixels doubled"
xdotool windowsize "$wid" 1600 900
wid=$(find_window Zanderfell 1600x900) || fail "the window did not become 1600 x 900"
settled "$wid" "$out/wide.png" || fail "the window at 1600 x 900 did not settle"
# 1000 x 700 fits 1286 x 900, 157 columns of bar on either side.
black "$out/wide.png" 157x900+0+0 157x900+1443+0 || fail "the bars of a wide window are not black"
shows_title "$out/wide.png" 1286x900+157+0 || fail "the picture in 1600 x 900 is not the title scaled"

echo "--- F11 fills the screen under a window manager, F11 again gives the window back"
openbox --sm-disable >/dev/null 2>&1 &
# F11 goes to the window once the window manager has made it the active one.
for _ in $(seq 100); do
  timeout 2 xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
  [[ "$(xdotool getactivewindow 2>/dev/null)" == "$wid" ]] && break
  sleep 0.1
done
xdotool key F11
wid=$(find_window Zanderfell 2560x1440) || fail "F11 did not fill the screen"
settled "$wid" "$out/full.png" || fail "fullscreen did not settle"
xwd -root -silent | convert xwd:- "png24:$work/root.png"
[[ "$(changed "$work/root.png" "$out/full.png")" == 0 ]] || fail "the fullscreen window is not what the screen shows"
# 2057 x 1440 in the middle, 251 columns of bar on the left, 252 on the right.
black "$out/full.png" 251x1440+0+0 252x1440+2308+0 || fail "the bars of the full screen are not black"
shows_title "$out/full.png" 2057x1440+251+0 || fail "the full screen is not the title scaled"
xdotool key F11
wid=$(find_window Zanderfell 1600x900) || fail "F11 again did not give back the 1600 x 900 window"
settled "$wid" "$work/wide-again.png" || fail "the window did not settle after fullscreen"
[[ "$(changed "$work/wide-again.png" "$out/wide.png")" == 0 ]] || fail "the picture changed on the way through fullscreen"
stop_game
remembered=$'fullscreen 0\nwidth 1600\nheight 900'
[[ "$(cat "$work/Window.txt")" == "$remembered" ]] || fail "Window.txt holds: $(cat "$work/Window.txt")"

echo "--- the next start remembers the size; --fullscreen is for one run"
start_game
wait_scaled_title 1600x900 1286x900+157+0 || fail "the remembered size was not used"
stop_game
start_game --fullscreen
wait_scaled_title 2560x1440 2057x1440+251+0 || fail "--fullscreen did not fill the screen"
stop_game
[[ "$(cat "$work/Window.txt")" == "$remembered" ]] || fail "--fullscreen was remembered: $(cat "$work/Window.txt")"
echo "PASS"
