# Sourced by the scripts that need a real window: starts a virtual X server
# of our own on a free display and exports DISPLAY.
#   start_xvfb DIR    (DIR holds the server's log; sets xvfb_pid)
start_xvfb() {
  local dir=$1
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s "$dir/display" ]] && break; sleep 0.05; done
  if [[ ! -s "$dir/display" ]]; then
    echo "FAIL: Xvfb did not start: $(cat "$dir/xvfb.log")"
    return 1
  fi
  DISPLAY=":$(cat "$dir/display")"
  export DISPLAY
}
