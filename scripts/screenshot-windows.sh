#!/usr/bin/env bash
# Cross-compiles torvane.exe and saves a picture of its window right after start-up in a neutral
# folder, D:\光谱数据, holding the example spectra, run by Wine on a virtual display at DPI dots
# per inch (96 is 100 %, 144 is 150 %). Usage: scripts/screenshot-windows.sh [DPI] [FILE.png] (default 96 and
# docs/screenshot-windows.png).
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=${1:-96}
output=${2:-docs/screenshot-windows.png}
scripts/install-deps.sh screenshot wine

dir=build-win-release
cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target torvane >/dev/null

prefix=$(mktemp -d)
# Wine names Unix files in the locale's character set: D:\光谱数据 needs a UTF-8 one.
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=C.UTF-8
trap 'wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
scripts/wine-prefix.sh "$prefix" "$dpi"
# Drive D: of the prefix is a folder of its own.
mkdir -p "$prefix/drive_d"
ln -s ../drive_d "$prefix/dosdevices/d:"
data="$prefix/drive_d/光谱数据"
mkdir -p "$data"
cp examples/polystyrene/*.txt "$dir/win32/torvane.exe" "$data/"

mkdir -p "$(dirname "$output")"
output=$(realpath "$output")
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
  cd "$1" && wine torvane.exe &
  for _ in $(seq 100); do
    window=$(xdotool search --name "^Torvane\$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  sleep 1  # the first paint
  import -window "$window" "$2"
  wineserver -k' _ "$data" "$output"
echo "Saved $output"
