#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs the whole test suite:
# install the packages, configure the release build, build, run CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release
cmake --build build --parallel "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
