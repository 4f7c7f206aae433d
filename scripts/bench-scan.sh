#!/usr/bin/env bash
# Times the explorer's folder scan (`lumivelle-cli thumbnails`, the same pipeline as the
# explorer tab) against vipsthumbnail and GraphicsMagick over one folder of 200 generated
# 12-megapixel JPEG files (4000 x 3000, photo-like noise, 4:2:2), on one thread and on two.
# For every command: median wall time of the whole process, thumbnails per second, time to
# the first thumbnail file (polled every millisecond) and peak resident memory. One-thread
# runs are pinned to one core (taskset), so a command's helper threads (our scan writes the
# PNG files on the main thread while its one worker decodes) cannot borrow the other core.
#
#   scripts/bench-scan.sh [BUILD_DIR]      (default: build; RUNS=3 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
build=${1:-build}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --target lumivelle-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$(realpath "$build/bin/lumivelle-cli")
count=200

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
