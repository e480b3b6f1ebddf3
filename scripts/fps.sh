#!/usr/bin/env bash
# Counts the frames a second the real window shows while the mouse drags
# across the view: scripts/fps.sh MAP [SECONDS] [WIDTHxHEIGHT]
# Starts Vantaro (build-release, else build) under Xvfb with openbox on MAP,
# holds the left button down and moves the pointer 4 pixels every 10 ms, and
# counts the copies of the whole view to the window through the X DAMAGE
# extension (scripts/fps/frame-count.c). Then prints the program's resident
# size and its peak so far.
set -euo pipefail
cd "$(dirname "$0")/.."
map=${1:?usage: scripts/fps.sh MAP [SECONDS] [WIDTHxHEIGHT]}
seconds=${2:-20}
size=${3:-1920x1080}
width=${size%x*}
height=${size#*x}

need=()
for p in xvfb openbox xdotool x11-utils libx11-dev libxdamage-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

bin=build-release/bin/vantaro
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
# The map loads and the first frame is painted: a few seconds for the largest maps.
sleep $((3 + $(stat -c %s "$map") / 100000000))

# The view fills most of the window; the status bar and toolbar updates are
# far smaller than half the view.
min_area=$((width * height / 2))
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
grep -E '^(VmRSS|VmHWM)' "/proc/$app/status"
