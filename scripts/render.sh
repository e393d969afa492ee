#!/usr/bin/env bash
# render.sh ZAVO_RENDER [ARGUMENTS...]: the rendering step of run.sh. Runs in
# the caller's folder, so that relative scene and output names stay the
# caller's; without arguments it renders the sample scene of examples/.
set -euo pipefail
exe=$1
shift
if [ $# -eq 0 ]; then
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  set -- "$repo/examples/spheres.qz"
fi
exec "$exe" "$@"
