#!/usr/bin/env bash
# Installs what is missing, builds Vantaro and starts it on the shipped map.
# Without a display it says so and renders the start view to a PNG instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vantaro default_map

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  out="$PWD/vantaro-start.png"
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): rendering the start view to $out instead." >&2
  build/bin/vantaro --render "$out" --map build/bin/map.smp --labels names "$@"
  exit 0
fi
exec build/bin/vantaro --map build/bin/map.smp "$@"
