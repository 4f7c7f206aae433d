#!/usr/bin/env bash
# Times the show build (`lumivelle-cli project build`, the code of "Créer le lumivelle")
# against the same work done by libjpeg-turbo's own tools, `djpeg | cjpeg -quality 90` per
# picture, alternately in one loop so that both see the same machine: a show of 40
# pictures of 12 MP and one of 10 pictures of 24 MP (camera-like JPEGs at quality 90).
#
# On one core (both pinned with taskset): our build with one thread against the peer.
# On two cores: our build with its read-ahead worker against our one-thread build and
# the peer. Prints medians, ratios and our peak memory, which must stay under two
# pictures + 64 MB.
#
#   scripts/bench-build.sh [BUILD_DIR]      (default: build; RUNS=5 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
build=${1:-build}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --target lumivelle-cli Tolvarine >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$(realpath "$build/bin/lumivelle-cli")
player=$(realpath "$build/bin/Tolvarine.bin")
runs=${RUNS:-5}

# name count width height: four distinct noisy pictures, repeated to `count` files, and
# the .dap of the show made from them through an old script.
makeShow() {
  local name=$1 count=$2 width=$3 height=$4
  mkdir -p "$work/$name" "$work/out-$name"
  "$cli" demo-picture "$work/base.ppm" "$width" "$height" >/dev/null
  for k in 0 1 2 3; do
    convert-im6.q16 "$work/base.ppm" -roll +$((k * 97))+$((k * 61)) -attenuate 0.5 +noise Gaussian \
      -quality 90 "$work/$name/base$k.jpg"
  done
  for i in $(seq 0 $((count - 1))); do
    cp "$work/$name/base$((i % 4)).jpg" "$work/$name/p$(printf %02d "$i").jpg"
  done
  rm "$work/$name"/base*.jpg "$work/base.ppm"
  {
    echo $((count - 1)); echo; echo 1; echo 1
    for f in "$work/$name"/p*.jpg; do printf '%s\n5\n1\n12632256\n0\n\n12632256\n' "$f"; done
  } >"$work/$name.spr"
  "$cli" project import-spr "$work/$name.spr" -o "$work/$name.dap" --plain >/dev/null
}

# label command...: one timed run, wall seconds and peak resident kilobytes.
measure() {
  local label=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1
  echo "$label $(cat "$work/time")" >>"$work/times"
}

echo "== making the pictures (40 x 12 MP, 10 x 24 MP)"
makeShow 12mp 40 4000 3000
makeShow 24mp 10 6000 4000
du -sh "$work/12mp" "$work/24mp"

peer='for f in "$0"/p*.jpg; do djpeg "$f" | cjpeg -quality 90 >"$1/${f##*/}"; done'
for run in $(seq "$runs"); do
  echo "== run $run of $runs"
  for name in 12mp 24mp; do
    measure "$name ours-1core" taskset -c 0 "$cli" project build "$work/$name.dap" -o "$work/$name.exe" \
      --player "$player" --threads 1
    measure "$name peer-1core" taskset -c 0 bash -c "$peer" "$work/$name" "$work/out-$name"
    measure "$name ours-2threads" "$cli" project build "$work/$name.dap" -o "$work/$name.exe" \
      --player "$player" --threads 2
    measure "$name ours-1thread" "$cli" project build "$work/$name.dap" -o "$work/$name.exe" \
      --player "$player" --threads 1
    measure "$name peer" bash -c "$peer" "$work/$name" "$work/out-$name"
  done
done

python3 - "$work/times" <<'PY'
import statistics, sys
from collections import defaultdict
wall, rss = defaultdict(list), defaultdict(list)
for line in open(sys.argv[1]):
    name, label, seconds, kilobytes = line.split()
    wall[(name, label)].append(float(seconds))
    rss[(name, label)].append(int(kilobytes))
pixels = {"12mp": 4000 * 3000, "24mp": 6000 * 4000}
for name in ("12mp", "24mp"):
    m = {label: statistics.median(v) for (n, label), v in wall.items() if n == name}
    print(f"\n== {name}: median wall time of the whole show")
    for label in ("ours-1core", "peer-1core", "ours-1thread", "ours-2threads", "peer"):
        print(f"  {label:14s} {m[label]:7.2f} s   peak {max(rss[(name, label)]) / 1024:7.1f} MB")
    print(f"  one core:  ours / peer = {m['ours-1core'] / m['peer-1core']:.2f} (target <= 1.0)")
    print(f"  two cores: one thread / two threads = {m['ours-1thread'] / m['ours-2threads']:.2f} (target >= 1.6), "
          f"ours(2) / peer = {m['ours-2threads'] / m['peer']:.2f}")
    limit = (2 * pixels[name] * 3) / 2**20 + 64
    peak = max(rss[(name, "ours-2threads")]) / 1024
    print(f"  peak memory with two threads {peak:.1f} MB, limit two pictures + 64 MB = {limit:.1f} MB")
PY
