#!/usr/bin/env bash
# Times the image tools against the peer tools on the same files, run alternately:
#  1. batch resize of 40 JPEG files of 12 megapixels (4000 x 3000) into 1024 x 768 with the
#     Triangle filter at quality 100: `lumivelle-cli batch-resize` on one thread against
#     `gm mogrify -filter Triangle -resize 1024x768 -quality 100` (GraphicsMagick, one
#     OpenMP thread), then our read-ahead on two cores;
#  2. rotating a 24-megapixel JPEG end to end (read, turn, encode at 100, write, EXIF kept)
#     against `djpeg` then `cjpeg -quality 100` on the same file;
#  3. RotateBitmap on a 24-megapixel picture in process (Google Benchmark).
# Prints medians and ratios of wall time, and the processor time (user + system) beside
# them: on a shared machine the wall time of a one-thread run grows with the load, and a
# second core may not be free at all (the load average is printed). Medians of RUNS runs
# (default 3 for the batches, 7 for the rotation).
#
#   scripts/bench-tools.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
build=${1:-build}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --target lumivelle-cli bench_tools
cli=$(realpath "$build/bin/lumivelle-cli")
bench=$(realpath "$build/bin/bench_tools")
runs=${RUNS:-3}
rotations=${ROTATIONS:-7}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Camera-like pictures (bench_tools --write-photo): four variants, ten copies of each.
echo "== making 40 JPEG files of 4000 x 3000 and one of 6000 x 4000"
mkdir -p in out-l out-g
for v in 0 1 2 3; do
  "$bench" --write-photo "in/p$v-0.jpg" 4000 3000 "$v"
  for c in $(seq 1 9); do cp "in/p$v-0.jpg" "in/p$v-$c.jpg"; done
done
"$bench" --write-photo big.jpg 6000 4000 7
du -sh in big.jpg

seconds() { # runs a command, prints its wall time and its processor time in seconds
  /usr/bin/time -f "%e %U %S" -o times.tmp "$@" >/dev/null 2>>errors.txt || echo "failed: $*" >&2
  awk '{ print $1, $2 + $3 }' times.tmp
}

echo "== batch resize, 40 files, $runs alternate runs"
: >ours1.txt; : >ours2.txt; : >gm1.txt; : >gm2.txt
for r in $(seq "$runs"); do
  seconds "$cli" batch-resize --box 1024x768 --filter 2 --copy out-l --threads 1 in/*.jpg >>ours1.txt
  seconds env OMP_NUM_THREADS=1 gm mogrify -create-directories -output-directory out-g -filter Triangle -resize 1024x768 -quality 100 in/*.jpg >>gm1.txt
  seconds "$cli" batch-resize --box 1024x768 --filter 2 --copy out-l --threads 2 in/*.jpg >>ours2.txt
  seconds env OMP_NUM_THREADS=2 gm mogrify -create-directories -output-directory out-g -filter Triangle -resize 1024x768 -quality 100 in/*.jpg >>gm2.txt
done
gm identify out-l/p0-0.jpg out-g/in/p0-0.jpg || true

echo "== rotating a 24-megapixel JPEG, $rotations alternate runs"
: >rot.txt; : >djpeg.txt
for r in $(seq "$rotations"); do
  cp big.jpg turn.jpg
  seconds "$cli" rotate turn.jpg 90 >>rot.txt
  seconds sh -c "djpeg -outfile plain.ppm big.jpg && cjpeg -quality 100 -outfile plain.jpg plain.ppm" >>djpeg.txt
done

"$bench" --benchmark_repetitions=7 --benchmark_report_aggregates_only=true --benchmark_format=json \
  >rotate.json 2>/dev/null

uptime
python3 - <<'PY'
import json, statistics
def med(name, column=0): return statistics.median(float(line.split()[column]) for line in open(name))
def both(name): return med(name, 0), med(name, 1)
(o1, c1), (o2, c2), (g1, h1), (g2, h2) = both("ours1.txt"), both("ours2.txt"), both("gm1.txt"), both("gm2.txt")
print("\n== batch resize of 40 files of 12 MP into 1024 x 768, Triangle, quality 100 (medians)")
print(f"  lumivelle-cli batch-resize, 1 thread        {o1:7.2f} s wall {c1:7.2f} s cpu  ({1000 * o1 / 40:6.1f} ms a file)")
print(f"  gm mogrify, 1 thread                        {g1:7.2f} s wall {h1:7.2f} s cpu  ({1000 * g1 / 40:6.1f} ms a file)")
print(f"  gm / lumivelle on one thread = {g1 / o1:.2f} wall, {h1 / c1:.2f} cpu (target >= 3)")
print(f"  lumivelle-cli with read-ahead on 2 cores    {o2:7.2f} s wall {c2:7.2f} s cpu  gain {o1 / o2:.2f} x over one thread")
print(f"  gm mogrify, 2 threads                       {g2:7.2f} s wall {h2:7.2f} s cpu  gm / lumivelle on two cores = {g2 / o2:.2f}")
(r, rc), (d, dc) = both("rot.txt"), both("djpeg.txt")
print("\n== rotating a 24-megapixel JPEG end to end (medians)")
print(f"  lumivelle-cli rotate 90          {1000 * r:7.1f} ms wall {1000 * rc:7.1f} ms cpu")
print(f"  djpeg + cjpeg -quality 100       {1000 * d:7.1f} ms wall {1000 * dc:7.1f} ms cpu")
print(f"  lumivelle / (djpeg + cjpeg) = {r / d:.2f} wall, {rc / dc:.2f} cpu (target <= 1.2)")
print("\n== RotateBitmap of 6000 x 4000 in process (median of 7, target <= 40 ms)")
for b in json.load(open("rotate.json"))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        print(f"  {b['run_name']:40s} {b['real_time']:6.1f} ms wall {b['cpu_time']:6.1f} ms cpu")
PY
