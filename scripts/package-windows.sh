#!/usr/bin/env bash
# Cross-compiles torvane.exe and torvane-batch.exe (Release) and packs them with a short Chinese
# usage note, 使用说明.html (UTF-8; a double-click opens it in the browser), into
# dist/torvane-<version>-windows-x64.zip. Nothing in the zip ends in .txt, so that the package
# unpacked beside data files adds no data file.
# Usage: scripts/package-windows.sh [BUILD_DIR]: BUILD_DIR, a Release build of the same
# toolchain, is reused (scripts/test.sh passes its own).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
dir=${1:-build-win-release}
if [ $# -eq 0 ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$dir" --target torvane torvane-batch

version=$(sed -n 's/^project(Torvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=torvane-$version-windows-x64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$dir/win32/torvane.exe" "$dir/cli/torvane-batch.exe" "$stage/$name/"
sed -e "s/@PROJECT_VERSION@/$version/g" resources/windows-usage.html >"$stage/$name/使用说明.html"

mkdir -p dist
rm -f "dist/$name.zip"
# CMake's zip writer marks the names as UTF-8, so Windows shows the Chinese name as it is (Info-ZIP's
# zip leaves them unmarked, to be read in the system's code page).
zip=$PWD/dist/$name.zip
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "$name")
echo "dist/$name.zip:"
unzip -l "dist/$name.zip"
