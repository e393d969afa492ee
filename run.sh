#!/usr/bin/env bash
# Builds zavo-render (Release, into build/) and renders the scene given,
# headless; without a scene it renders the sample scene under examples/.
# Scene and output names are taken relative to the folder run.sh is called from.
#
# ./run.sh --gui [SCENE.qz] builds the GUI program zavo instead and starts it,
# with the scene when one is given.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$repo/scripts/deps.sh"

if [ "${1:-}" = "--gui" ]; then
  shift
  zavo_install_deps "${ZAVO_GUI_PACKAGES[@]}"
  cmake -S "$repo" -B "$repo/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$repo/build" --target zavo -j "$(zavo_jobs)"
  exec "$repo/build/apps/zavo" "$@"
fi

zavo_install_deps "${ZAVO_RENDER_PACKAGES[@]}"

cmake -S "$repo" -B "$repo/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$repo/build" --target zavo-render -j "$(zavo_jobs)"

exec "$repo/scripts/render.sh" "$repo/build/apps/zavo-render" "$@"
