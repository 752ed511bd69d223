#!/usr/bin/env bash
# Installs what the Linux window needs (nothing for the tests or the Windows build), builds both
# programs, says where torvane-batch is and opens the window on the example spectra. The window
# starts in the folder that holds the program, and the summary goes to the current directory, so
# a copy of the program is started from build/example/, beside fresh copies of the samples of
# examples/polystyrene/ (the folder is made anew at every start).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh window
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target torvane torvane-batch
echo "The command line: $PWD/build/cli/torvane-batch (try it with --help)"
rm -rf build/example
mkdir build/example
cp examples/polystyrene/*.txt build/qt/torvane build/example/
cd build/example
exec ./torvane "$@"
