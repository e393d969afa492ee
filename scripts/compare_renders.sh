#!/bin/sh
# Renders every scene under a directory (default examples/) with two
# zavo-render programs, each in its own copy of the directory, twice (the
# second run reads the caches the first wrote), and compares every file the
# runs leave behind byte for byte.
# usage: [THREADS=N] scripts/compare_renders.sh RENDER_A RENDER_B [SCENE_DIR]
set -eu
a=$(realpath "$1")
b=$(realpath "$2")
src=$(realpath "${3:-examples}")
threads=${THREADS:-1}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for side in a b; do
  cp -r "$src" "$work/$side"
  render=$a
  [ "$side" = b ] && render=$b
  (cd "$work/$side" && find . -name '*.qz' | sort | while read -r scene; do
    for pass in first cached; do
      (cd "$(dirname "$scene")" && timeout 600 "$render" -q -j "$threads" -o "$(basename "$scene" .qz).$pass" \
        "$(basename "$scene")" >/dev/null 2>&1) || echo "$scene ($pass): exit status $?" >> "$work/$side.status"
    done
  done)
done
same=0
differ=0
for f in $(cd "$work/a" && find . -type f | sort); do
  if cmp -s "$work/a/$f" "$work/b/$f"; then same=$((same + 1)); else differ=$((differ + 1)); echo "differs: $f"; fi
done
for f in $(cd "$work/b" && find . -type f | sort); do
  [ -e "$work/a/$f" ] || { differ=$((differ + 1)); echo "only in B: $f"; }
done
echo "$same files the same, $differ differ"
touch "$work/a.status" "$work/b.status"
if ! cmp -s "$work/a.status" "$work/b.status"; then
  echo "exit statuses differ:"
  cat "$work/a.status" "$work/b.status"
  differ=$((differ + 1))
fi
[ "$differ" = 0 ]
