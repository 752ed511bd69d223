#!/usr/bin/env bash
# Installs what is missing, then builds and tests Torvane every way it is built:
#   - Linux with GCC, and with Clang under AddressSanitizer + UndefinedBehaviorSanitizer, warnings
#     as errors, every test of each build;
#   - the packager's way: the default generator and build type, no options; its tests;
#   - without Qt (TORVANE_GUI=OFF, Qt hidden from CMake): the core and torvane-batch, their tests;
#   - the Debian package (scripts/package-linux.sh): its files checked, lintian without errors;
#   - Windows, cross-compiled with MinGW-w64: every test under Wine on a virtual display (Xvfb),
#     in throwaway Wine prefixes at 96 and 144 DPI; the zip (scripts/package-windows.sh) holds
#     no .txt file.
# Linux widget tests run on Qt's offscreen platform. Configuring without Qt fails if anything
# asks for it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
# Wine names files on the Unix side in the locale's character set: without a UTF-8 locale (a bare
# CI environment) a Chinese file name cannot be made. C.UTF-8 is always there on Debian.
export LC_ALL=C.UTF-8
jobs=$(nproc)
start=$SECONDS

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
  cmake -S . -B "$dir" -G Ninja -DTORVANE_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite build-test "GCC" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan "Clang, AddressSanitizer + UndefinedBehaviorSanitizer" \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DTORVANE_SANITIZE=ON

echo "== The packager's build: default generator, default build type, no options =="
rm -rf build-packager
cmake -S . -B build-packager >/dev/null
CMAKE_BUILD_PARALLEL_LEVEL=$jobs cmake --build build-packager
ctest --test-dir build-packager --output-on-failure -j "$jobs"

echo "== Without Qt: the core and torvane-batch =="
rm -rf build-noqt
cmake -S . -B build-noqt -G Ninja -DTORVANE_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
  -DTORVANE_WERROR=ON >/dev/null
cmake --build build-noqt -j "$jobs"
ctest --test-dir build-noqt --output-on-failure -j "$jobs"

echo "== The Debian package =="
mkdir -p build-deb
scripts/package-linux.sh >build-deb/package.log || { cat build-deb/package.log >&2; exit 1; }
sed -n '/^lintian:/,$p' build-deb/package.log
version=$(sed -n 's/^project(Torvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=dist/torvane_${version}_amd64.deb
dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >build-deb/files
for file in /usr/bin/torvane /usr/bin/torvane-batch /usr/share/applications/torvane.desktop \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,128x128,256x256}/apps/torvane.png \
  /usr/share/icons/hicolor/scalable/apps/torvane.svg \
  /usr/share/man/man1/torvane.1.gz /usr/share/man/man1/torvane-batch.1.gz \
  /usr/share/doc/torvane/copyright /usr/share/doc/torvane/changelog.gz; do
  grep -qx "$file" build-deb/files || { echo "$deb lacks $file" >&2; exit 1; }
done
if grep -v -e '/$' -e '^/usr/bin/' -e '^/usr/share/' build-deb/files; then
  echo "$deb holds files outside /usr/bin and /usr/share (above)" >&2
  exit 1
fi
grep -q "libqt6widgets6" <<<"$(dpkg-deb --field "$deb" Depends)" ||
  { echo "$deb: shlibdeps found no dependency on Qt" >&2; exit 1; }

echo "== Windows build (MinGW-w64), tests under Wine =="
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTORVANE_WERROR=ON -DTORVANE_HIDPI_WINEPREFIX="$wine_root/144" \
  >/dev/null
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

echo "== The Windows zip =="
scripts/package-windows.sh build-win >build-win/zip.log || { cat build-win/zip.log >&2; exit 1; }
zip=dist/torvane-$version-windows-x64.zip
# Listed once: grep -q ending a pipe early would fail the check under pipefail.
names=$(unzip -Z1 "$zip")
if grep -i '\.txt$' <<<"$names"; then
  echo "$zip holds a .txt file (above): unpacked beside data files, it would be read as one" >&2
  exit 1
fi
grep -qx "torvane-$version-windows-x64/使用说明.html" <<<"$names" ||
  { echo "$zip lacks 使用说明.html" >&2; exit 1; }

echo "All tests passed in all builds, in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s."
