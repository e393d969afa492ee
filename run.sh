#!/usr/bin/env bash
# Builds zavo (Release, into build/) and renders the scene given, headless;
# without a scene it renders the sample scene under examples/.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zavo_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(zavo_jobs)"

if [ $# -eq 0 ]; then
  # The sample scene: spheres, a box and a point lamp.
  build/apps/zavo-render examples/spheres.qz
  echo "Rendered examples/spheres.qz to examples/spheres.bmp."
  exit 0
fi
exec build/apps/zavo-render "$@"
