#!/usr/bin/env bash
# Installs the Debian packages Vantaro needs to build, test and run, when any
# of them is missing. Runs apt-get as root (directly, or through sudo).
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev zlib1g-dev libcfitsio-dev
  libexpat1-dev libarchive-dev
  fonts-liberation fonts-dejavu-core
  qt6-qpa-plugins xvfb xauth
  openbox xdotool x11-utils x11-xserver-utils xclip libx11-dev
  dpkg-dev file lintian appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
