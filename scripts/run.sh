#!/usr/bin/env bash
# Sets everything up and runs the main job: builds the programs, makes a demo folder of
# generated pictures with a show project and an album (scripts/make-demo.sh), builds the
# show into demo-output/Vacances.exe, then starts the Lumivelle editor on the demo.
#
# With a display the editor opens the demo show (arguments are passed on instead, e.g.
# another .dap or .ccl); its folder tree starts in the demo pictures. Without a display
# everything runs on a virtual screen and the screenshots of the three tabs and of the
# running show are saved in demo-output/:
#   explorer.png   the image explorer on the demo pictures
#   show.png       the show tab with the demo show
#   album.png      the album tab with the demo album
#   player.png     the built show playing
# LUMIVELLE_DEMO_DIR puts the demo elsewhere (default demo-output/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh

out=${LUMIVELLE_DEMO_DIR:-$PWD/demo-output}
mkdir -p "$out"
out=$(cd "$out" && pwd)
scripts/make-demo.sh "$out" build
editor=$PWD/build/bin/Lumivelle
photos=$out/Photos

# The editor's folder tree starts in the user's documents: the demo folder is the home,
# whose documents are the demo pictures; the settings are kept apart from the build.
home=$out
mkdir -p "$out/config"
ln -sfn Photos "$home/Documents"
export LUMIVELLE_CONFIG_DIR=$out/config

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  (($#)) || set -- "$photos/Vacances.dap"
  HOME=$home exec "$editor" "$@"
fi

xvfb-run -a -s "-screen 0 1280x800x24" bash -s -- "$editor" "$out" "$home" <<'SCREENS'
set -euo pipefail
editor=$1 out=$2 home=$3
shoot() { # shoot NAME [EDITOR ARGUMENT]: the editor on the virtual screen, then its picture
  HOME=$home "$editor" "${@:2}" >/dev/null 2>&1 &
  local pid=$!
  sleep 5
  import -window root "$out/$1.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
shoot explorer
shoot show "$out/Photos/Vacances.dap"
shoot album "$out/Photos/Vacances.ccl"

# The built show: its second slide once its transition is over.
trace=$out/player-trace.txt
rm -f "$trace"
TOLVARINE_TRACE=$trace "$out/Vacances.exe" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 200); do
  grep -q '^show 1 ' "$trace" 2>/dev/null && break
  sleep 0.1
done
sleep 2
import -window root "$out/player.png"
kill "$pid"
wait "$pid" 2>/dev/null || true
grep -q '^show 1 ' "$trace" || { echo "run.sh: the show did not play" >&2; exit 1; }
SCREENS
echo "No display: the editor and the show ran on a virtual screen; the screenshots are in $out" \
     "(explorer.png, show.png, album.png, player.png), the built show is $out/Vacances.exe"
