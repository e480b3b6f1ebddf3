#!/usr/bin/env bash
# Builds the Debian package vantaro_VERSION_amd64.deb in build-package/ with
# CPack: an optimised build installed under /usr, stripped, its library
# dependencies computed by dpkg-shlibdeps. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

build=${VANTARO_PACKAGE_BUILD:-build-package}
options=()
command -v ninja >/dev/null && options+=(-G Ninja)
command -v ccache >/dev/null && options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Debian's hardening flags (stack protector, fortified functions, read-only
# relocations bound at start), as a package built by debhelper gets them.
export CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now"
cmake -S . -B "$build" "${options[@]}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVANTARO_TESTS=OFF -DVANTARO_BENCH=OFF >/dev/null
nice cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/vantaro_*_amd64.deb
