#!/usr/bin/env bash
# Builds what is missing and saves a picture of the window as it stands after start-up, drawn on
# Qt's offscreen platform (no display needed). Usage: scripts/screenshot.sh [FILE.png]
# (default docs/screenshot.png).
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot.png}
scripts/install-deps.sh
[ -f build/build.ninja ] ||
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target torvane_screenshot >/dev/null
mkdir -p "$(dirname "$output")"
QT_QPA_PLATFORM=offscreen build/qt/torvane_screenshot "$output"
echo "Saved $output"
