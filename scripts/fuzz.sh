#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan + UBSan) in build-fuzz and
# runs every one of them for SECONDS seconds each (default 60), starting from
# its seeds in fuzz/corpus/NAME. Fails as soon as a target finds a crash; the
# input that caused it is kept in build-fuzz/artifacts. Each target's output
# goes to build-fuzz/NAME.log; its summary is printed, and on a crash its end.
# An allocation too large to make returns null, as it does outside the
# sanitizer (CFITSIO sizes some from a file's header and checks for null).
# Usage: bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTARO_FUZZ=ON \
  -DVANTARO_GUI=OFF -DVANTARO_TESTS=OFF -DVANTARO_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target fuzzers

mkdir -p build-fuzz/artifacts
found=0
for target in build-fuzz/fuzzers/*; do
  [ -x "$target" ] || continue
  found=1
  name=$(basename "$target")
  seeds=fuzz/corpus/${name%_fuzz}
  corpus=build-fuzz/corpus/$name  # new inputs go here, never into the seeds
  mkdir -p "$corpus"
  log=build-fuzz/$name.log
  seed_dirs=()
  [ -d "$seeds" ] && seed_dirs=("$seeds")
  if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/artifacts/$name-" "$corpus" "${seed_dirs[@]}" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "$name: failed after at most ${seconds}s (whole output in $log)" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$name: ${runs:-?} inputs in ${seconds}s, no crash"
done
[ "$found" -eq 1 ] || { echo "no fuzz targets in build-fuzz/fuzzers" >&2; exit 1; }
