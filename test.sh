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

# One sanitizer tree serves the tests and the fuzz targets: built with clang
# (libFuzzer) when the machine has it, else with g++ and no fuzz targets.
echo "== Debug build with address and undefined-behaviour sanitizers"
san_args=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g1 -O1" -DZAVO_SANITIZE=ON)
fuzz=0
if command -v clang++ >/dev/null 2>&1; then
  san_args+=(-DCMAKE_CXX_COMPILER=clang++ -DZAVO_FUZZ=ON)
  fuzz=1
fi
cmake -S . -B build-asan -G Ninja "${san_args[@]}"
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs")

if [ "$fuzz" -ne 1 ]; then
  echo "clang++ is missing: the fuzz targets were not built" >&2
  exit 1
fi
echo "== Fuzz targets"
shopt -s nullglob
fuzz_seconds=${ZAVO_FUZZ_SECONDS:-10}
mkdir -p build-asan/fuzz-artifacts
fuzz_logs=$(mktemp -d)
# The interpreters' targets take inputs up to 64 KB: deep terms and long
# chains are driven by length.
long_input_targets=" prolog_read prolog_solve expr compile_stream "
# One target per job slot at a time; each writes its own log, shown on failure.
run_fuzz() {
  local name=$1 work
  work=$(mktemp -d)
  local seeds=() max_len=()
  if [ -d "fuzz/corpus/$name" ]; then seeds=("fuzz/corpus/$name"); fi
  if [[ $long_input_targets == *" $name "* ]]; then max_len=(-max_len=65536); fi
  "build-asan/fuzz/$name" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=4096 \
    "${max_len[@]}" \
    -print_final_stats=1 -artifact_prefix="build-asan/fuzz-artifacts/$name-" "$work" "${seeds[@]}" \
    >"$fuzz_logs/$name.log" 2>&1
  local rc=$?
  rm -rf "$work"
  return $rc
}
declare -A pids=()
failed=()
for src in fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 0.2; done
  echo "-- fuzz $name for ${fuzz_seconds}s"
  run_fuzz "$name" &
  pids[$name]=$!
done
for name in "${!pids[@]}"; do
  if ! wait "${pids[$name]}"; then failed+=("$name"); fi
done
for name in "${failed[@]}"; do
  echo "== fuzz target $name failed:" >&2
  cat "$fuzz_logs/$name.log" >&2
done
rm -rf "$fuzz_logs"
if [ "${#failed[@]}" -ne 0 ]; then exit 1; fi
echo "== All tests passed"
