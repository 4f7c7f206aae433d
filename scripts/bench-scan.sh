#!/usr/bin/env bash
# Times the explorer's folder scan (`lumivelle-cli thumbnails`, the same pipeline as the
# explorer tab) against vipsthumbnail and GraphicsMagick over one folder of 200 generated
# 12-megapixel JPEG files (4000 x 3000, photo-like noise, 4:2:2), on one thread and on two.
# For every command: median wall time of the whole process, thumbnails per second, time to
# the first thumbnail file (polled every millisecond) and peak resident memory. One-thread
# runs are pinned to one core (taskset), so a command's helper threads (our scan writes the
# PNG files on the main thread while its one worker decodes) cannot borrow the other core.
#
# Then the explorer tab itself (bench_explorer: a shown window, the thumbnail cache in a
# temporary XDG_CACHE_HOME): the uncached scan of a folder of BIG (default 1000)
# 12-megapixel JPEG files against its cached reopen, and a folder of SMALL (default
# 20000) small JPEG files: time to the names, to the first visible thumbnail (also at
# the end of the folder, scrolled there at once), to all, longest event-loop stall, peak
# memory and the thumbnails kept in memory.
#
#   scripts/bench-scan.sh [BUILD_DIR]      (default: build; RUNS=3 by default)
#   ONLY=explorer scripts/bench-scan.sh    (skips the comparison with the other tools)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${ONLY:-}" != explorer ]; then scripts/install-deps.sh --bench; fi
build=${1:-build}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --target lumivelle-cli bench_explorer

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$(realpath "$build/bin/lumivelle-cli")
count=200

explorer_bench() {
  local big=${BIG:-1000} small=${SMALL:-20000} bench
  bench=$(realpath "$build/bin/bench_explorer")
  echo "== explorer: $big JPEG files of 4000 x 3000"
  "$cli" demo-picture "$work/demo.ppm" 4000 3000
  if command -v convert-im6.q16 >/dev/null; then
    convert-im6.q16 "$work/demo.ppm" -attenuate 0.25 +noise Gaussian -sampling-factor 2x1 -quality 92 "$work/big.jpg"
  else
    "$cli" jpeg "$work/demo.ppm" "$work/big.jpg" --quality 92
  fi
  mkdir -p "$work/big"
  for i in $(seq -w 1 "$big"); do cp "$work/big.jpg" "$work/big/IMG_$i.JPG"; done
  du -sh "$work/big" | cut -f1 | sed 's/^/   folder size /'
  export XDG_CACHE_HOME="$work/cache"
  rm -rf "$XDG_CACHE_HOME"
  echo "   uncached scan:  $("$bench" "$work/big" 2>/dev/null)"
  for run in $(seq 1 "${RUNS:-3}"); do
    echo "   cached reopen:  $("$bench" "$work/big" 2>/dev/null)"
  done
  echo "   Actualiser:     $("$bench" "$work/big" --refresh 2>/dev/null)"

  echo "== explorer: $small JPEG files of 320 x 240"
  "$cli" demo-picture "$work/small.ppm" 320 240
  "$cli" jpeg "$work/small.ppm" "$work/small.jpg" --quality 85
  mkdir -p "$work/small"
  python3 -c "import shutil, sys
for i in range(int(sys.argv[2])): shutil.copyfile(sys.argv[1] + '/small.jpg', f'{sys.argv[1]}/small/IMG_{i:05d}.jpg')" "$work" "$small"
  rm -rf "$XDG_CACHE_HOME"
  echo "   uncached scan:  $("$bench" "$work/small" 2>/dev/null)"
  rm -rf "$XDG_CACHE_HOME"
  echo "   uncached, scrolled to the end at once: $("$bench" "$work/small" --scroll-end 2>/dev/null)"
  echo "   cached reopen:  $("$bench" "$work/small" 2>/dev/null)"
  du -sh "$XDG_CACHE_HOME" | cut -f1 | sed 's/^/   cache size /'
  rm -rf "$work/big" "$work/small" "$XDG_CACHE_HOME"
}
explorer_bench
if [ "${ONLY:-}" = explorer ]; then exit 0; fi

echo "== input: $count JPEG files of 4000 x 3000"
"$cli" demo-picture "$work/demo.ppm" 4000 3000
convert-im6.q16 "$work/demo.ppm" -attenuate 0.25 +noise Gaussian -sampling-factor 2x1 -quality 92 "$work/one.jpg"
mkdir "$work/in"
for i in $(seq -w 1 "$count"); do cp "$work/one.jpg" "$work/in/IMG_$i.JPG"; done
du -sh "$work/in" | cut -f1 | sed 's/^/   folder size /'

python3 - "$work" "$cli" "$count" "${RUNS:-3}" <<'PY'
import os, shutil, statistics, subprocess, sys, time
work, cli, count, runs = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
src = os.path.join(work, "in")
files = sorted(os.listdir(src))  # names: the commands run inside the folder

def commands(threads, out):
    env = dict(os.environ, OMP_NUM_THREADS=str(threads), VIPS_CONCURRENCY=str(threads))
    pin = ["taskset", "-c", "0"] if threads == 1 else []
    return {
        "lumivelle": (pin + [cli, "thumbnails", src, out, "--threads", str(threads)], env),
        "vipsthumbnail": (pin + ["vipsthumbnail", "--size", "100x100", "-o", os.path.join(out, "%s.png")] + files, env),
        "gm mogrify": (pin + ["gm", "mogrify", "-output-directory", out, "-format", "png",
                              "-size", "200x200", "-thumbnail", "100x100"] + files, env),
    }


names = ("lumivelle", "vipsthumbnail", "gm mogrify")
samples = {(name, threads): [] for threads in (1, 2) for name in names}
for _ in range(runs):  # rounds interleave the commands, so a busy moment hits them all alike
    for threads in (1, 2):
        for name in names:
            out = os.path.join(work, "out")
            shutil.rmtree(out, ignore_errors=True)
            os.mkdir(out)
            argv, env = commands(threads, out)[name]
            start = time.perf_counter()
            proc = subprocess.Popen(argv, env=env, cwd=src, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            first = None
            while True:
                pid, status, usage = os.wait4(proc.pid, os.WNOHANG)
                if pid:
                    break
                if first is None and os.listdir(out):
                    first = time.perf_counter() - start
                time.sleep(0.001)
            wall = time.perf_counter() - start
            made = len(os.listdir(out))
            if made != count:
                sys.exit(f"{name}: {made} thumbnails instead of {count}")
            cpu = usage.ru_utime + usage.ru_stime
            samples[(name, threads)].append((wall, first if first is not None else wall, usage.ru_maxrss, cpu))

results = {}
for key, runs_of in samples.items():
    results[key] = (statistics.median(r[0] for r in runs_of), statistics.median(r[1] for r in runs_of),
                    max(r[2] for r in runs_of), statistics.median(r[3] for r in runs_of))

print(f"\n== {count} thumbnails, whole processes, median of {runs} runs")
print(f"  {'command':28s} {'wall':>9s} {'thumbs/s':>9s} {'first':>9s} {'peak RSS':>10s} {'CPU':>9s}")
for (name, threads), (wall, first, peak, cpu) in results.items():
    print(f"  {name + f' ({threads} thread' + ('s' if threads > 1 else '') + ')':28s} "
          f"{wall:8.2f}s {count / wall:9.1f} {1000 * first:7.0f}ms {peak / 1024:8.1f}MB {cpu:8.2f}s")
for threads in (1, 2):
    ours = results[("lumivelle", threads)][0]
    print(f"  {threads} thread(s): lumivelle is {results[('vipsthumbnail', threads)][0] / ours:.2f}x vipsthumbnail, "
          f"{results[('gm mogrify', threads)][0] / ours:.2f}x gm mogrify (thumbnails per second)")
print("  (thumbs/s counts the whole process, start-up included; CPU is user + system time)")
PY
