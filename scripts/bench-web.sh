#!/usr/bin/env bash
# Times the web gallery (`lumivelle-cli web`, the code of "Créer un lumivelle Web")
# against the same work done by peer tools, alternately in one loop so that both see the
# same machine: a gallery of 40 pictures of 12 MP (camera-like JPEGs at quality 90). Per
# picture the peer makes the full-size copy with libjpeg-turbo's own tools,
# `djpeg | cjpeg -quality 90`, and the 100-pixel thumbnail at quality 90 with
# `vipsthumbnail`; we write the same two files per picture and the pages.
#
# On one core (both pinned with taskset): our gallery with one thread against the peer
# (target: ours / peer <= 1.1). On two cores: our gallery with the next picture decoded
# on a worker against our one-thread gallery and the peer. Prints medians, ratios and
# our peak memory.
#
#   scripts/bench-web.sh [BUILD_DIR]      (default: build; RUNS=5 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
build=${1:-build}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --target lumivelle-cli >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$(realpath "$build/bin/lumivelle-cli")
runs=${RUNS:-5}
count=40

echo "== making the pictures ($count x 12 MP)"
mkdir -p "$work/photos" "$work/ours" "$work/peer"
"$cli" demo-picture "$work/base.ppm" 4000 3000 >/dev/null
for k in 0 1 2 3; do
  convert-im6.q16 "$work/base.ppm" -roll +$((k * 97))+$((k * 61)) -attenuate 0.5 +noise Gaussian \
    -quality 90 "$work/photos/base$k.jpg"
done
for i in $(seq 0 $((count - 1))); do
  cp "$work/photos/base$((i % 4)).jpg" "$work/photos/p$(printf %02d "$i").jpg"
done
rm "$work/photos"/base*.jpg "$work/base.ppm"
{
  echo $((count - 1)); echo; echo 1; echo 1
  for f in "$work/photos"/p*.jpg; do printf '%s\n5\n1\n12632256\n0\n\n12632256\n' "$f"; done
} >"$work/show.spr"
"$cli" project import-spr "$work/show.spr" -o "$work/show.dap" --plain >/dev/null
du -sh "$work/photos"

# label command...: one timed run, wall seconds and peak resident kilobytes.
measure() {
  local label=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1
  echo "$label $(cat "$work/time")" >>"$work/times"
}

peer='for f in "$0"/p*.jpg; do n=${f##*/}; djpeg "$f" | cjpeg -quality 90 >"$1/$n";
  vipsthumbnail "$f" -s 100 -o "$1/s_%s.jpg[Q=90]"; done'
for run in $(seq "$runs"); do
  echo "== run $run of $runs"
  measure "ours-1core" taskset -c 0 "$cli" web "$work/show.dap" "$work/ours/galerie.htm" --threads 1
  measure "peer-1core" taskset -c 0 bash -c "$peer" "$work/photos" "$work/peer"
  measure "ours-2threads" "$cli" web "$work/show.dap" "$work/ours/galerie.htm" --threads 2
  measure "ours-1thread" "$cli" web "$work/show.dap" "$work/ours/galerie.htm" --threads 1
  measure "peer" bash -c "$peer" "$work/photos" "$work/peer"
done
ls "$work/ours" | grep -c '^s_p.*\.jpg$' | xargs echo "thumbnails written by us:"
ls "$work/peer" | grep -c '^s_p.*\.jpg$' | xargs echo "thumbnails written by the peer:"

python3 - "$work/times" "$count" <<'PY'
import statistics, sys
from collections import defaultdict
wall, rss = defaultdict(list), defaultdict(list)
for line in open(sys.argv[1]):
    label, seconds, kilobytes = line.split()
    wall[label].append(float(seconds))
    rss[label].append(int(kilobytes))
count = int(sys.argv[2])
m = {label: statistics.median(v) for label, v in wall.items()}
print(f"\n== {count} pictures of 12 MP: median wall time of the whole gallery")
for label in ("ours-1core", "peer-1core", "ours-1thread", "ours-2threads", "peer"):
    print(f"  {label:14s} {m[label]:7.2f} s  ({1000 * m[label] / count:6.1f} ms a picture)"
          f"   peak {max(rss[label]) / 1024:7.1f} MB")
print(f"  one core:  ours / peer = {m['ours-1core'] / m['peer-1core']:.2f} (target <= 1.1)")
print(f"  two cores: one thread / two threads = {m['ours-1thread'] / m['ours-2threads']:.2f}, "
      f"ours(2) / peer = {m['ours-2threads'] / m['peer']:.2f}")
limit = (2 * 4000 * 3000 * 3) / 2**20 + 64
print(f"  peak memory with two threads {max(rss['ours-2threads']) / 1024:.1f} MB, "
      f"two pictures + 64 MB = {limit:.1f} MB")
PY
