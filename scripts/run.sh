#!/usr/bin/env bash
# Sets everything up and runs the main job: builds, then starts the Lumivelle editor
# (arguments are passed on, e.g. a show project .dap). Without a display the editor is
# started on a virtual screen for a few seconds and a screenshot of its window is saved
# in demo-output/lumivelle-window.png. The command-line demo is scripts/run-cli-demo.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh

editor=build/bin/Lumivelle
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$editor" "$@"
fi

out=demo-output
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
LUMIVELLE_CONFIG_DIR="$config" xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$0" "${@:1}" &
  pid=$!
  sleep 4
  import -window root "'"$out"'/lumivelle-window.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
' "$editor" "$@"
echo "No display: the editor ran on a virtual screen; its window is in $out/lumivelle-window.png"
