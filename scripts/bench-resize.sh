#!/usr/bin/env bash
# Times `lumivelle-cli resize` against libvips and GraphicsMagick on the same picture:
# a generated 6000 x 4000 PPM reduced to 1920 x 1280 with the triangle (linear) filter,
# on one thread and on two. Prints medians of whole commands and their ratios, then the
# in-process figures: our resampler from bench_resampler, libvips' own evaluation time
# (a memory-mapped .v picture to a .v file, as --vips-progress reports it).
#
#   scripts/bench-resize.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
build=${1:-build}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --target lumivelle-cli bench_resampler

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$(realpath "$build/bin/lumivelle-cli")
bench=$(realpath "$build/bin/bench_resampler")
runs=${RUNS:-10}

echo "== input: 6000 x 4000 PPM"
"$cli" demo-picture "$work/big.ppm" 6000 4000
vips copy "$work/big.ppm" "$work/big.v"
cd "$work"

# vips takes a scale: 1920 / 6000 = 1280 / 4000 = 0.32.
hyperfine --style basic --warmup 2 --runs "$runs" --export-json times.json \
  -n "lumivelle 1 thread"  "$cli resize big.ppm out-l.ppm 1920 1280 --filter 2" \
  -n "lumivelle 2 threads" "$cli resize big.ppm out-l2.ppm 1920 1280 --filter 2 --threads 2" \
  -n "vips 1 thread"       "VIPS_CONCURRENCY=1 vips resize big.ppm out-v.ppm 0.32 --vscale 0.32 --kernel linear" \
  -n "vips 2 threads"      "VIPS_CONCURRENCY=2 vips resize big.ppm out-v2.ppm 0.32 --vscale 0.32 --kernel linear" \
  -n "gm 1 thread"         "OMP_NUM_THREADS=1 gm convert big.ppm -filter Triangle -resize 1920x1280! out-g.ppm" \
  -n "gm 2 threads"        "OMP_NUM_THREADS=2 gm convert big.ppm -filter Triangle -resize 1920x1280! out-g2.ppm" \
  >/dev/null

vipsTimes() { # median evaluation time of `vips resize` on the memory-mapped picture, in ms
  for _ in $(seq "$runs"); do
    VIPS_CONCURRENCY=$1 vips resize big.v out.v 0.32 --vscale 0.32 --kernel linear --vips-progress 2>&1 |
      tr '\r' '\n' | sed -n 's/.*done in \([0-9.]*\)s.*/\1/p'
  done | sort -n | awk '{v[NR]=$1} END {printf "%.1f", 1000 * v[int((NR + 1) / 2)]}'
}
vips1=$(vipsTimes 1)
vips2=$(vipsTimes 2)
"$bench" --benchmark_filter='6000x4000.*kernel:1/.*simd:1' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=json \
  >resampler.json 2>/dev/null

python3 - "$vips1" "$vips2" <<'PY'
import json, statistics, sys
results = {r["command"]: r for r in json.load(open("times.json"))["results"]}
def median_ms(name): return 1000 * statistics.median(results[name]["times"])
def cpu_ms(name): return 1000 * (results[name]["user"] + results[name]["system"])
print("\n== whole commands (PPM in, PPM out): median wall time, mean CPU time")
for name in results:
    print(f"  {name:20s} {median_ms(name):8.1f} ms   cpu {cpu_ms(name):8.1f} ms")
for threads in ("1 thread", "2 threads"):
    ours = median_ms(f"lumivelle {threads}")
    print(f"  {threads}: vips / lumivelle = {median_ms(f'vips {threads}') / ours:.2f}, "
          f"gm / lumivelle = {median_ms(f'gm {threads}') / ours:.2f}")
bench = {b["run_name"]: b for b in json.load(open("resampler.json"))["benchmarks"] if b["aggregate_name"] == "median"}
vips = {1: float(sys.argv[1]), 2: float(sys.argv[2])}
print("\n== in process (picture already in memory)")
for threads in (1, 2):
    ours = next(b["real_time"] for n, b in bench.items() if f"threads:{threads}/" in n)
    print(f"  {threads} thread(s): lumivelle resampler {ours:6.1f} ms, libvips evaluation (mapped .v in, .v out) {vips[threads]:6.1f} ms, "
          f"lumivelle / vips = {ours / vips[threads]:.2f} (target <= 1.5)")
PY
