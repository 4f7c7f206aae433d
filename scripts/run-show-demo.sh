#!/usr/bin/env bash
# Builds a demo show executable from generated pictures of several sizes, with captions
# taken from their names, a random transition style per slide and the fixture music when
# it is there, then starts it full screen (Escape asks to quit, a click shows the toolbar).
#
#   scripts/run-show-demo.sh [--no-start] [--time S] [--fast]
#
# LUMIVELLE_BUILD_DIR picks the build tree (default build/); the show is written to
# demo-output/show/Demo.exe. Without a display, run it under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."

start=1
seconds=3
extra=()
while (($#)); do
  case "$1" in
    --no-start) start=0 ;;
    --time) seconds=$2; shift ;;
    --fast) extra+=(--fast) ;;
    *) echo "run-show-demo: unknown argument $1" >&2; exit 1 ;;
  esac
  shift
done

build=${LUMIVELLE_BUILD_DIR:-build}
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  scripts/install-deps.sh
  cmake --preset release -B "$build" >/dev/null
fi
cmake --build "$build" --target lumivelle-cli Tolvarine >/dev/null
cli="$build/bin/lumivelle-cli"

out=demo-output/show
rm -rf "$out"
mkdir -p "$out"
pictures=()
while IFS='|' read -r name width height; do
  "$cli" demo-picture "$out/$name.png" "$width" "$height"
  pictures+=("$out/$name.png")
done <<'LIST'
Lever de soleil sur le lac|3000|2000
Portrait en hauteur|800|1200
Petite carte postale|480|320
Panorama d'été|2400|900
Carré de couleurs|1200|1200
LIST

music=()
fixture=../shared/fixtures/sound/tone_440hz_2s.wav
[[ -f "$fixture" ]] && music=(--music "$fixture")

"$cli" show -o "$out/Demo.exe" --time "$seconds" --style random --caption-from-name "${music[@]}" "${extra[@]}" \
  "${pictures[@]}"
"$cli" payload dump "$out/Demo.exe" | sed -n '1,2p;$p'

if ((start)); then
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "run-show-demo: no display; start it with: xvfb-run $0" >&2
    exit 1
  fi
  exec "$out/Demo.exe"
fi
