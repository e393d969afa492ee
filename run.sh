#!/usr/bin/env bash
# Builds zavo-render (Release, into build/) and renders the scene given,
# headless; without a scene it renders the sample scene under examples/.
# Scene and output names are taken relative to the folder run.sh is called from.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$repo/scripts/deps.sh"
zavo_install_deps "${ZAVO_RENDER_PACKAGES[@]}"

cmake -S "$repo" -B "$repo/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$repo/build" --target zavo-render -j "$(zavo_jobs)"

exec "$repo/scripts/render.sh" "$repo/build/apps/zavo-render" "$@"
