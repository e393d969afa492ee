#!/bin/sh
# The ray-tracer timings: B1 (K x K spheres on a slab) at 1k and 10k spheres
# and B2 (a mesh of 100k triangles), each rendered by zavo-render on one thread
# and on all threads, timed from outside by /usr/bin/time (the median of the
# runs' wall seconds, and their user seconds).
# usage: bench/render_scenes.sh ZAVO_RENDER [WORKDIR]
# The scenes come from gen_bench.py (GEN_BENCH, default
# /work/shared/bench/gen_bench.py). The first run of each scene writes its
# hierarchy cache; the timed runs are cached runs.
set -eu
render=$(realpath "$1")
work=${2:-$(mktemp -d)}
gen=${GEN_BENCH:-/work/shared/bench/gen_bench.py}
runs=${RUNS:-3}
mkdir -p "$work"
cd "$work"
[ -f b1_1k.qz ] || python3 "$gen" spheres 32 b1_1k 640 480 >/dev/null
[ -f b1_10k.qz ] || python3 "$gen" spheres 100 b1_10k 640 480 >/dev/null
[ -f b2_100k.qz ] || python3 "$gen" mesh 224 b2_100k 640 480 >/dev/null
for scene in b1_1k b1_10k b2_100k; do
  "$render" -q "$scene.qz" >/dev/null 2>&1 || true
  for j in 1 0; do
    if [ "$j" = 0 ]; then opt=""; label="all threads"; else opt="-j 1"; label="one thread"; fi
    printf '%s, %s: ' "$scene" "$label"
    i=0
    : > times.txt
    while [ "$i" -lt "$runs" ]; do
      /usr/bin/time -a -o times.txt -f '%e %U' "$render" -q $opt "$scene.qz" >/dev/null 2>&1 || true
      i=$((i + 1))
    done
    sort -n times.txt | awk '{ w[NR] = $1; u[NR] = $2 } END { m = int((NR + 1) / 2); printf "wall %s s (median of %d runs), user %s s in that run\n", w[m], NR, u[m] }'
  done
done
