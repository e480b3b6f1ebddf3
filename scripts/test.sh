#!/usr/bin/env bash
# Installs what is missing, builds Vantaro and runs every test: the normal
# build, the Debian package (lintian, AppStream and desktop entry checks, its
# programs run from an extracted copy), every fuzz target for a bounded time, then the AddressSanitizer +
# UndefinedBehaviorSanitizer build, and that build soaked with random input in
# a real X window for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The Debian package: built, checked, and its programs run from an extracted copy.
package=$(bash scripts/package.sh | tail -n 1)
lintian --fail-on error,warning "$package"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked"/usr/share/applications/vantaro.desktop
"$unpacked"/usr/bin/vantaro --version
"$unpacked"/usr/bin/vantaro --render "$unpacked/start.png" --map "$unpacked"/usr/share/vantaro/map.smp
test -s "$unpacked/start.png"
"$unpacked"/usr/bin/vantaro-mapinfo "$unpacked"/usr/share/vantaro/map.smp >/dev/null

# A minute per fuzz target keeps the whole run well inside the CI's limit.
bash scripts/fuzz.sh "${VANTARO_FUZZ_SECONDS:-60}"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANTARO_SANITIZE=ON -DVANTARO_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# A minute of random input in the real window keeps the whole run well inside
# the CI's limit; a longer soak is scripts/soak.sh SECONDS.
bash scripts/soak.sh "${VANTARO_SOAK_SECONDS:-60}"
