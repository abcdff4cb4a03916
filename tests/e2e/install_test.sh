#!/usr/bin/env bash
# The installed game, as a player gets it: `cmake --install` into a temporary
# prefix, then started through its launcher with a home of its own in a
# virtual X server. Nothing is installed on the machine itself.
#   install_test.sh CMAKE BUILD_DIR ARTGEN OUTPUT_DIR
set -euo pipefail
cmake=$1 build=$(realpath "$2") artgen=$(realpath "$3") out=$(realpath -m "$4")
mkdir -p "$out"

# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool xwd convert compare identify
cd "$work"
# Spaces in every path on purpose: the launcher must cope with them.
prefix="$work/game prefix" home="$work/player home"
share="$prefix/share/zanderfell" mine="$home/.local/share/zanderfell"

echo "--- cmake --install into a temporary prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install failed: $(cat "$work/install.log")"
[[ "$(head -n 1 "$prefix/games/zanderfell")" == "#!/bin/sh" && -x "$prefix/games/zanderfell" ]] || fail "no launcher in games/"
[[ -x "$prefix/libexec/zanderfell/zanderfell" ]] || fail "no game in libexec/zanderfell/"
diff <(ls "$build/run/Images") <(ls "$share/Images") >/dev/null || fail "share/zanderfell/Images differs from the painted pictures"
diff <(ls "$build/run/Sounds") <(ls "$share/Sounds") >/dev/null || fail "share/zanderfell/Sounds differs from the made sounds"
expected=$(printf 'Level%sPart%s.txt\n' 1 1 1 2 1 3 2 1 2 2 2 3 3 1 3 2 3 3; echo RandomFile.txt)
[[ "$(ls "$share/Files")" == "$(LC_ALL=C sort <<<"$expected")" ]] || fail "share/zanderfell/Files holds: $(ls "$share/Files")"
# A new player starts from the generator's first state, not from the state
# of whoever played in the build directory.
"$artgen" --random-file "$work/fresh"
cmp -s "$work/fresh/Files/RandomFile.txt" "$share/Files/RandomFile.txt" || fail "the installed random state is not the first one"
desktop="$prefix/share/applications/zanderfell.desktop"
for line in "[Desktop Entry]" "Type=Application" "Name=Zanderfell" "Exec=zanderfell" "Icon=zanderfell"; do
  grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
done
for size in 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/zanderfell.png"
  # Transparent around the badge, opaque in the middle.
  got=$(identify -format '%m %w %h %[fx:p{0,0}.a] %[fx:p{w/2,h/2}.a]' "$icon" 2>&1) || fail "icon $size: $got"
  [[ "$got" == "PNG $size $size 0 1" ]] || fail "icon $size: $got"
done
[[ -f "$prefix/share/pixmaps/zanderfell.png" ]] || fail "no icon in share/pixmaps"

start_xvfb "$work" || exit 1

# Starts the launcher as the player would, waits for the title screen and
# compares it with TitelScherm1.bmp (the game draws it at (1, 1)) and, under
# its menu, who plays blue (a person, for a new player), then closes
# the game with SIGTERM. SDL's dummy sound driver stands in for a sound card
# (the test machine has none): the game plays with sound on and, like a
# player's second start, says nothing.
play_to_title() {
  local n=$1 wid differ
  env -u XDG_DATA_HOME HOME="$home" SDL_AUDIODRIVER=dummy "$prefix/games/zanderfell" >"$work/out$n.txt" 2>"$work/err$n.txt" &
  game_pid=$!
  wid=$(run="$share" wait_title) || fail "start $n: no title screen: $(cat "$work/err$n.txt")"
  xwd -id "$wid" -silent | convert xwd:- -crop 999x699+1+1 +repage "$out/title$n.png"
  convert "$share/Images/TitelScherm1.bmp" "$share/Images/BlauweSpeler1.bmp" -geometry +215+599 -composite \
    -crop 999x699+0+0 +repage "$work/title-ref.png"
  differ=$(compare -metric AE "$out/title$n.png" "$work/title-ref.png" null: 2>&1 || true)
  [[ "$differ" =~ ^[0-9]+$ && "$differ" -le 100 ]] || fail "start $n: not the title screen ($differ pixels differ)"
  kill -TERM "$game_pid"
  ends_with_0 "SIGTERM at start $n"
}

echo "--- first start: the player's directory is made, then the title screen"
play_to_title 1
grep -q "first start: made $mine" "$work/err1.txt" || fail "the first start did not say what it did: $(cat "$work/err1.txt")"
[[ "$(readlink "$mine/Images")" == "$share/Images" ]] || fail "Images is not a link to the shared pictures"
[[ "$(readlink "$mine/Sounds")" == "$share/Sounds" ]] || fail "Sounds is not a link to the shared sounds"
for level in "$share"/Files/Level*.txt; do
  [[ "$(readlink "$mine/Files/$(basename "$level")")" == "$level" ]] || fail "$(basename "$level") is not linked"
done
state="$mine/Files/RandomFile.txt"
[[ -f "$state" && ! -L "$state" && "$(stat -c %A "$state")" == -rw* ]] || fail "RandomFile.txt is not a writable file of its own"
cmp -s "$state" "$share/Files/RandomFile.txt" || fail "RandomFile.txt is not a copy of the first state"

echo "--- second start: the player's random state is kept, nothing is said"
printf '    42\r\n 5.1234E-1\r\n' >"$state"
play_to_title 2
[[ "$(cat "$state")" == $'    42\r\n 5.1234E-1\r' ]] || fail "the second start overwrote the random state"
[[ ! -s "$work/err2.txt" ]] || fail "the second start said: $(cat "$work/err2.txt")"

echo "--- the installed game verifies a record named from where the player stands"
# (--replay takes its record's name the same way; the replay script plays one.)
cp "$(dirname "$(realpath "$0")")/../data/replays/duel-every-weapon.zfr" "$work/duel.zfr"
said=$(cd "$work" && env -u XDG_DATA_HOME HOME="$home" "$prefix/games/zanderfell" --verify duel.zfr) || fail "--verify: $said"
[[ "$said" == "$work/duel.zfr: ok (9 turns, team 2 won)" ]] || fail "--verify said: $said"

echo "--- a moved prefix, a link to the launcher, XDG_DATA_HOME (no display: the game stops at once)"
mv "$prefix" "$work/moved prefix"
share="$work/moved prefix/share/zanderfell"
mkdir "$work/games" && ln -s "../moved prefix/games/zanderfell" "$work/games/zanderfell"
launch() { env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 HOME="$home" "$@" "$work/games/zanderfell" >/dev/null 2>>"$work/err3.txt" || true; }
launch env -u XDG_DATA_HOME
[[ "$(readlink "$mine/Images")" == "$share/Images" ]] || fail "Images was not pointed at the moved prefix: $(cat "$work/err3.txt")"
[[ "$(readlink "$mine/Files/Level3Part2.txt")" == "$share/Files/Level3Part2.txt" ]] || fail "a level was not pointed anew"
[[ "$(cat "$state")" == $'    42\r\n 5.1234E-1\r' ]] || fail "the random state was overwritten after the move"
launch XDG_DATA_HOME="$work/xdg data"
cmp -s "$work/xdg data/zanderfell/Files/RandomFile.txt" "$share/Files/RandomFile.txt" || fail "XDG_DATA_HOME was not used"
launch XDG_DATA_HOME="relative/path"
[[ ! -e "relative" ]] || fail "a relative XDG_DATA_HOME was used"

echo "PASS"
