#!/usr/bin/env bash
# Installs what is missing and builds the release tree in build/ (programs in build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build build --parallel "$(nproc)"
