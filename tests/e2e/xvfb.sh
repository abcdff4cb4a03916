# Sourced by the scripts that need a real window: a scratch directory, a
# virtual X server of our own on a free display, and the game they start,
# all cleaned up on exit.
#   start_xvfb DIR [WxH]  (DIR holds the server's log; the screen 1280x1024
#                      unless given; sets xvfb_pid, exports DISPLAY)
#   game_dir RUN DIR  (DIR becomes a game directory of its own: pictures and
#                      sounds linked from RUN, the files and the game copied,
#                      so the player's random state file is never touched)
#   game_ends WHAT    (the game $game_pid ends within 10 s of WHAT, a wide
#                      margin on a busy machine, or the test fails; sets rc)
#   ends_with_0 WHAT  (as game_ends, and the exit code is 0)
#   need TOOL...      (every tool is installed, or the test fails saying which)
#   fail WHAT         (the test fails, saying why)
#   find_window NAME [WxH]  (prints the id of the newest visible window of
#                      that name, once its client area is WxH if given)
#   wait_title        (prints the id of a fresh game's window once it shows the
#                      title screen; needs $run)
#   pixel FILE X Y    (the colour of a pixel of a picture or screenshot)
#   changed A B [X0 Y0 X1 Y1]  (the pixels that differ, in the box if given)
#   newsky A B        (field pixels not the sky's colour in A that are in B)
# A script with a scratch directory and cleanup of its own keeps them. Busy
# loops a script starts go in load_pids and end with it too.
if ! declare -F cleanup >/dev/null; then
  work=$(mktemp -d)
  xvfb_pid="" game_pid="" load_pids=()
  cleanup() {
    local p
    for p in "${load_pids[@]}"; do kill "$p" 2>/dev/null || true; done
    [[ -n "$game_pid" ]] && kill -9 "$game_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
  }
  trap cleanup EXIT
fi

fail() { echo "FAIL: $*"; exit 1; }
need() {
  local t
  for t in "$@"; do command -v "$t" >/dev/null || fail "$t is not installed (./build.sh test installs it)"; done
}

game_dir() {
  local run=$1 dir=$2
  ln -s "$run/Images" "$dir/Images"
  ln -s "$run/Sounds" "$dir/Sounds"
  cp -r "$run/Files" "$dir/Files"
  cp "$run/zanderfell" "$dir/zanderfell"
  # --verify hands over to the headless program beside the game.
  [[ -x "$run/zanderfell-verify" ]] && cp "$run/zanderfell-verify" "$dir/zanderfell-verify"
  return 0
}

game_ends() {
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the game did not end within 10 s of $1"
  rc=0
  wait "$game_pid" || rc=$?
  game_pid=""
}
ends_with_0() {
  game_ends "$1"
  [[ $rc -eq 0 ]] || fail "exit code $rc after $1"
}

start_xvfb() {
  local dir=$1 size=${2:-1280x1024}
  Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp 9>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s "$dir/display" ]] && break; sleep 0.05; done
  if [[ ! -s "$dir/display" ]]; then
    echo "FAIL: Xvfb did not start: $(cat "$dir/xvfb.log")"
    return 1
  fi
  DISPLAY=":$(cat "$dir/display")"
  export DISPLAY
}

find_window() {
  local wid
  for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)
    [[ -n "$wid" && ( -z "${2:-}" || "$(xwininfo -id "$wid" 2>/dev/null |
      awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')" == "$2" ) ]] && { echo "$wid"; return 0; }
    sleep 0.1
  done
  return 1
}
# Waits for the title screen of a freshly started game (the window opens
# twice at start-up; the second one shows the title) and prints its id.
wait_title() {
  local want wid
  want=$(pixel "$run/Images/TitelScherm1.bmp" 500 305)
  for _ in $(seq 150); do
    wid=$(find_window Zanderfell) || return 1
    if xwd -id "$wid" -silent 2>/dev/null | convert xwd:- "bmp3:$work/probe.bmp" 2>/dev/null &&
       [[ "$(pixel "$work/probe.bmp" 501 306)" == "$want" ]]; then
      echo "$wid"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
changed() {
  local box=""
  [[ $# -gt 2 ]] && box="[$(($5 - $3 + 1))x$(($6 - $4 + 1))+$3+$4]"
  compare -metric AE "$1$box" "$2$box" null: 2>&1 || true
}
# A crater shows as sky where there was ground: counted in rows and columns
# 1 to 599 and 999, white where A was not sky and B is, then multiplied.
newsky() {
  local sky="rgb(166,202,240)" field="[999x599+1+1]"
  convert "$1$field" -fill white +opaque "$sky" -fill black -opaque "$sky" \
    \( "$2$field" -fill black +opaque "$sky" -fill white -opaque "$sky" \) \
    -compose multiply -composite -format '%[fx:int(mean * w * h + 0.5)]' info:
}
