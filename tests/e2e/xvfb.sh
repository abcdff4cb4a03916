# Sourced by the scripts that need a real window: a scratch directory, a
# virtual X server of our own on a free display, and the game they start,
# all cleaned up on exit.
#   start_xvfb DIR [WxH]  (DIR holds the server's log; the screen 1280x1024
#                      unless given; sets xvfb_pid, exports DISPLAY)
#   game_dir RUN DIR  (DIR becomes a game directory of its own: pictures and
#                      sounds linked from RUN, the files and the game copied,
#                      so the player's random state file is never touched)
#   ends_with_0 WHAT  (the game $game_pid ends with exit code 0; it must not hang: 10 s, a wide margin on a busy machine)
#   need TOOL...      (every tool is installed, or the test fails saying which)
#   fail WHAT         (the test fails, saying why)
#   find_window NAME  (prints the id of the newest visible window of that name)
#   wait_title        (prints the id of a fresh game's window once it shows the
#                      title screen; needs $run and $tools)
# A script with a scratch directory and cleanup of its own keeps them.
if ! declare -F cleanup >/dev/null; then
  work=$(mktemp -d)
  xvfb_pid=""
  game_pid=""
  cleanup() {
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

ends_with_0() {
  local rc=0
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$game_pid" 2>/dev/null; then
    echo "FAIL: the game did not end within 10 s of $1"
    exit 1
  fi
  wait "$game_pid" || rc=$?
  game_pid=""
  if [[ $rc -ne 0 ]]; then
    echo "FAIL: exit code $rc after $1"
    exit 1
  fi
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

# The id of the newest visible window with exactly this name.
find_window() {
  local name=$1 ids
  for _ in $(seq 100); do
    ids=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null || true)
    [[ -n "$ids" ]] && { echo "$ids" | tail -n 1; return 0; }
    sleep 0.1
  done
  return 1
}
# Waits for the title screen of a freshly started game (the window opens
# twice at start-up; the second one shows the title) and prints its id.
wait_title() {
  local want wid
  want=$("$tools/zanderfell_screencheck" pixel "$run/Images/TitelScherm1.bmp" 500 305)
  for _ in $(seq 150); do
    wid=$(find_window Zanderfell) || return 1
    if xwd -id "$wid" -silent 2>/dev/null | convert xwd:- "bmp3:$work/probe.bmp" 2>/dev/null &&
       [[ "$("$tools/zanderfell_screencheck" pixel "$work/probe.bmp" 501 306)" == "$want" ]]; then
      echo "$wid"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
