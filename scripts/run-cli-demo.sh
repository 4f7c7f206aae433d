#!/usr/bin/env bash
# Builds, then renders demo output with
# lumivelle-cli into demo-output/ (a generated picture, its thumbnail and resized copies).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh

out=demo-output
mkdir -p "$out"
cli=build/bin/lumivelle-cli
"$cli" demo-picture "$out/demo.png" 1600 1200
"$cli" thumbnail "$out/demo.png" "$out/demo-thumbnail.png"
"$cli" resize "$out/demo.png" "$out/demo-640x480-lanczos.png" 640 480 --filter 6
"$cli" fit "$out/demo.png" "$out/demo-fit-1024x768.jpg" 1024 768
"$cli" jpeg "$out/demo.png" "$out/demo-q90.jpg" --quality 90
ls -l "$out"
