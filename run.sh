#!/usr/bin/env bash
# Builds zavo (Release, into build/) and renders the scene given, headless.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zavo_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(zavo_jobs)"

if [ $# -eq 0 ]; then
  echo "Built build/apps/zavo-render."
  exit 0
fi
# Loads the scene; until the renderer exists it stops after a good load and
# says so (exit 1).
exec build/apps/zavo-render "$@"
