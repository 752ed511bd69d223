#!/usr/bin/env bash
# Builds the Debian package dist/torvane_<version>_amd64.deb (Release, with Debian's hardening
# flags) through CPack, prints its contents and lintian's findings, and fails on a lintian
# error. Installs what is missing first. Install the package with
#   sudo apt install ./dist/torvane_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh window package
dir=build-deb
# Debian's compiler and linker flags, as its packaging helpers pass them. The prefix is /usr
# already at configure time: the desktop entry names the program's path.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$dir"
mkdir -p dist
(cd "$dir" && cpack -G DEB -B "$PWD/cpack" >/dev/null)
deb=$(ls "$dir"/cpack/torvane_*_amd64.deb)
rm -f dist/"$(basename "$deb")"
cp "$deb" dist/
deb=dist/$(basename "$deb")
echo "$deb: $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb"
dpkg-deb --contents "$deb" | awk '{ print $6, $3 }'
echo "lintian:"
lintian "$deb"
