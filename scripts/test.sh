#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs the whole test suite twice:
# install the packages, configure, build and run CTest in the release build, then the
# same suite built with AddressSanitizer and UndefinedBehaviorSanitizer (the asan preset,
# build-asan/). Each stage prints how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="$(nproc)"
stage() { echo "test.sh: $1 took $(( SECONDS - $2 )) s"; }

scripts/install-deps.sh

start=$SECONDS
cmake --preset release
cmake --build build --parallel "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel "$jobs" --timeout 600
stage "release build and tests" "$start"

start=$SECONDS
cmake --preset asan
cmake --build build-asan --parallel "$jobs"
# Every sanitizer report ends the test that made it; leaks of the system libraries that
# keep their data until the end are suppressed in the test programs themselves.
QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:allocator_may_return_null=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs" --timeout 900
stage "asan build and tests" "$start"
