#!/usr/bin/env bash
# Cross-compiles torvane.exe and torvane-batch.exe (Release) and packs them with a short Chinese
# usage note into
# dist/torvane-<version>-windows-x64.zip. The note is UTF-8 with a byte order mark and CR LF
# line ends, which Notepad shows on every Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=build-win-release
cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target torvane torvane-batch

version=$(sed -n 's/^project(Torvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=torvane-$version-windows-x64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$dir/win32/torvane.exe" "$dir/cli/torvane-batch.exe" "$stage/$name/"
{
  printf '\xEF\xBB\xBF'
  sed -e "s/@PROJECT_VERSION@/$version/" -e 's/$/\r/' resources/windows-readme.txt
} >"$stage/$name/README.txt"

mkdir -p dist
rm -f "dist/$name.zip"
(cd "$stage" && zip -q -X -r - "$name") >"dist/$name.zip"
echo "dist/$name.zip:"
unzip -l "dist/$name.zip"
