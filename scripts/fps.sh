#!/usr/bin/env bash
# Counts the frames a second the real window shows while the mouse drags
# across the view, or while a key is held:
#   scripts/fps.sh [--key KEY] MAP [SECONDS] [WIDTHxHEIGHT]
# Starts Vantaro ($VANTARO_BIN, else build-release, else build) under Xvfb with openbox on MAP
# and counts the copies of the whole view to the window through the X DAMAGE
# extension (scripts/fps/frame-count.c). Dragging: holds the left button
# down and moves the pointer 4 pixels every 10 ms. With --key (an xdotool
# key name, Up for example): sets the X auto-repeat to 30 a second after
# 250 ms, holds the key for SECONDS, lets it go, then prints how long frames
# still came after the release (the program's last frame, the release's
# recompute among them) and where the observer ended (read from the Travel >
# By Coordinate... dialog through the clipboard). Then prints the program's
# resident size and its peak so far.
set -euo pipefail
cd "$(dirname "$0")/.."
key=''
if [ "${1:-}" = --key ]; then
  key=${2:?usage: scripts/fps.sh [--key KEY] MAP [SECONDS] [WIDTHxHEIGHT]}
  shift 2
fi
map=${1:?usage: scripts/fps.sh [--key KEY] MAP [SECONDS] [WIDTHxHEIGHT]}
seconds=${2:-20}
size=${3:-1920x1080}
width=${size%x*}
height=${size#*x}

need=()
for p in xvfb openbox xdotool x11-utils x11-xserver-utils xclip libx11-dev libxdamage-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

bin=${VANTARO_BIN:-build-release/bin/vantaro}
[ -x "$bin" ] || bin=build/bin/vantaro
work=$(mktemp -d)
gcc -O2 -o "$work/frame-count" scripts/fps/frame-count.c -lXdamage -lX11

# shellcheck source=scripts/x-display.sh
source scripts/x-display.sh
app=''
trap 'kill ${app:+"$app"} "${x_display_pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
start_x_display "$((width + 200))x$((height + 300))" "$work" || { echo "fps: Xvfb did not start" >&2; exit 1; }
"$bin" --map "$map" >"$work/vantaro.log" 2>&1 &
app=$!
window=$(xdotool search --sync --onlyvisible --name "Vantaro" | head -1)
xdotool windowmove "$window" 0 0 windowsize "$window" "$((width + 16))" "$((height + 120))"
# The map loads and the first frame is painted: a few seconds for the largest
# maps, more on a busy machine. Then the program is idle: it uses less than
# 2% of a core for a second.
sleep 2
cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
for ((wait = 0; wait < 120; wait++)); do
  before=$(cpu_ticks)
  sleep 1
  [ $(($(cpu_ticks) - before)) -le 2 ] && break
done

# The view fills most of the window; the status bar and toolbar updates are
# far smaller than half the view.
min_area=$((width * height / 2))
if [ -n "$key" ]; then
  xset r rate 250 30
  xdotool windowactivate --sync "$window"
  xdotool keydown "$key"
  "$work/frame-count" "$window" "$seconds" "$min_area"
  xdotool keyup "$key"
  echo "after the release: $("$work/frame-count" "$window" 60 "$min_area" 2)"
  # The dialog shows the position in its three edits; each is copied out.
  xdotool key alt+t c
  sleep 1
  position=()
  for axis in x y z; do
    xdotool key ctrl+a ctrl+c
    sleep 0.2
    position+=("$axis $(xclip -o -selection clipboard)")
    xdotool key Tab
  done
  xdotool key Escape
  echo "observer at ${position[*]} ly"
else
  xdotool mousemove --window "$window" $((width / 2)) $((height / 2)) mousedown 1
  moves=()
  steps=$((seconds * 100 + 200))
  for ((i = 0; i < steps; i++)); do
    if (((i / 100) % 2)); then dx=-4; else dx=4; fi
    moves+=(mousemove_relative -- "$dx" 0 sleep 0.01)
  done
  xdotool "${moves[@]}" &
  mover=$!
  sleep 1
  "$work/frame-count" "$window" "$seconds" "$min_area"
  kill "$mover" 2>/dev/null || true
  xdotool mouseup 1
fi
grep -E '^(VmRSS|VmHWM)' "/proc/$app/status"
