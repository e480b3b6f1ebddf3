# shellcheck shell=bash
# Sourced by the scripts that run Vantaro in a real X window.
#
# start_x_display WIDTHxHEIGHT DIR: starts Xvfb on a free display of that size
# and openbox on it, logging to DIR/xvfb.log and DIR/openbox.log; exports
# DISPLAY and appends the two processes to the array x_display_pids. Returns 1
# if Xvfb does not start within 10 s; waits up to 10 s for openbox to manage
# the screen.
x_display_pids=()
start_x_display() {
  local size=$1 dir=$2
  # Xvfb picks a free display and writes its number to the file.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  x_display_pids+=($!)
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  [ -s "$dir/display" ] || return 1
  DISPLAY=:$(head -n 1 "$dir/display")
  export DISPLAY
  openbox --sm-disable >"$dir/openbox.log" 2>&1 &
  x_display_pids+=($!)
  for _ in $(seq 100); do
    [[ "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null || true)" == *"window id"* ]] && return 0
    sleep 0.1
  done
}
