#!/usr/bin/env bash
# Installs what is missing, builds Vantaro and runs every test: the normal
# build, every fuzz target for a bounded time, then the AddressSanitizer +
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

# A minute per fuzz target keeps the whole run well inside the CI's limit.
bash scripts/fuzz.sh "${VANTARO_FUZZ_SECONDS:-60}"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANTARO_SANITIZE=ON -DVANTARO_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# A minute of random input in the real window keeps the whole run well inside
# the CI's limit; a longer soak is scripts/soak.sh SECONDS.
bash scripts/soak.sh "${VANTARO_SOAK_SECONDS:-60}"
