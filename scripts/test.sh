#!/usr/bin/env bash
# Installs what is missing, builds Torvane twice (plain, then under AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test of each build. Widget tests run on Qt's
# offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

run_suite() {
  local dir=$1 label=$2
  shift 2
  echo "== $label =="
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite build-test "plain build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan "AddressSanitizer + UndefinedBehaviorSanitizer" \
  -DCMAKE_BUILD_TYPE=Debug -DTORVANE_SANITIZE=ON -DTORVANE_BENCHMARKS=OFF
echo "All tests passed in both builds."
