#!/usr/bin/env bash
# Installs what is missing, builds Release and a sanitizer build, runs every
# test in both, then runs each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zavo_install_deps
jobs=$(zavo_jobs)

echo "== Release build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== Debug build with address and undefined-behaviour sanitizers"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZAVO_SANITIZE=ON
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs")

echo "== Fuzz targets"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DZAVO_FUZZ=ON
cmake --build build-fuzz -j "$jobs"
shopt -s nullglob
fuzz_seconds=${ZAVO_FUZZ_SECONDS:-10}
for src in fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  work=$(mktemp -d)
  mkdir -p build-fuzz/artifacts
  echo "-- fuzz $name for ${fuzz_seconds}s"
  seeds=()
  if [ -d "fuzz/corpus/$name" ]; then seeds=("fuzz/corpus/$name"); fi
  "build-fuzz/fuzz/$name" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "$work" "${seeds[@]}"
  rm -rf "$work"
done
echo "== All tests passed"
