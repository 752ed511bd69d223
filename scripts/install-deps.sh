#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever the named groups need and is missing:
#   command    the core and torvane-batch: a compiler, CMake (with make and Ninja), CLI11,
#              nlohmann-json
#   window     command, and the Qt window with its Chinese texts and a font with Chinese glyphs
#   test       window, and what the Linux tests need (GoogleTest, the desktop entry's validator,
#              a second compiler for the build checks, mawk for scripts/bench.sh, xmllint for
#              the report's well-formedness)
#   windows    command, and the Windows cross build (MinGW-w64); unzip lists the zip
#   wine       windows, and what runs the Windows tests: GoogleTest's sources, Wine, a virtual
#              display (Xvfb)
#   package    window, and the Debian package's tools: the man page, shlibdeps, lintian
#   screenshot window, a virtual display (Xvfb) and the tools that grab and drive a window on it
# Without a group: test, wine and package, what scripts/test.sh needs.
# Usage: scripts/install-deps.sh [GROUP...]
set -euo pipefail

declare -A group=(
  [command]="cmake make ninja-build g++ libcli11-dev nlohmann-json3-dev"
  [window]="qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-wqy-microhei"
  [test]="libgtest-dev desktop-file-utils clang mawk libxml2-utils"
  [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 unzip"
  [wine]="googletest wine wine64 xvfb xauth"
  [package]="help2man dpkg-dev file lintian"
  [screenshot]="xvfb xauth imagemagick xdotool"
)
declare -A needs=(
  [command]="" [window]="command" [test]="window" [windows]="command" [wine]="windows"
  [package]="window" [screenshot]="window"
)

wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=(test wine package)
packages=()
add() {
  [ -n "${group[$1]+set}" ] || { echo "install-deps.sh: no group $1" >&2; exit 64; }
  for base in ${needs[$1]}; do add "$base"; done
  packages+=(${group[$1]})
}
for name in "${wanted[@]}"; do add "$name"; done

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
  [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" = "install ok installed" ] ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
