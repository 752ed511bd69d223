#!/usr/bin/env bash
# Installs what is missing, builds Torvane for Linux twice (plain, then under AddressSanitizer and
# UndefinedBehaviorSanitizer) and for Windows once (cross-compiled with MinGW-w64), and runs every
# test of each build. Linux widget tests run on Qt's offscreen platform; the Windows tests run
# under Wine on a virtual display (Xvfb), in throwaway Wine prefixes at 96 and 144 DPI.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# The Wine prefixes take a while to set up; that happens while Linux builds.
wine_root=$(mktemp -d "${TMPDIR:-/tmp}/torvane-wine.XXXXXX")
cleanup() {
  for dpi in 96 144; do
    [ -d "$wine_root/$dpi" ] && WINEPREFIX="$wine_root/$dpi" wineserver -k 2>/dev/null || true
  done
  rm -rf "$wine_root"
}
trap cleanup EXIT
(scripts/wine-prefix.sh "$wine_root/96" 96 && scripts/wine-prefix.sh "$wine_root/144" 144) \
  >"$wine_root/setup.log" 2>&1 &
prefixes=$!

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

echo "== Windows build (MinGW-w64), tests under Wine =="
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTORVANE_HIDPI_WINEPREFIX="$wine_root/144" >/dev/null
cmake --build build-win -j "$jobs"
if ! wait "$prefixes"; then
  cat "$wine_root/setup.log" >&2
  exit 1
fi
export WINEPREFIX="$wine_root/96" WINEDEBUG=-all jobs
export TORVANE_WINE_PREFIXES="$wine_root/96 $wine_root/144"
# One Wine server per prefix for the whole run, not one per test program. Each prefix's own
# processes (services, devices, the desktop) start before the tests, on the same display, so
# that none of them inherits a test's output and keeps ctest waiting for its end.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  for prefix in $TORVANE_WINE_PREFIXES; do
    WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1
    WINEPREFIX=$prefix wine cmd /c exit </dev/null >/dev/null 2>&1
  done
  ctest --test-dir build-win --output-on-failure -j "$jobs"'
echo "All tests passed in all three builds."
