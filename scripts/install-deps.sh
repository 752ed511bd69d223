#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever of the build and test tools is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n
  fonts-wqy-microhei
  libgtest-dev
  libcli11-dev nlohmann-json3-dev
  binutils-mingw-w64-x86-64 desktop-file-utils
  mawk
  g++-mingw-w64-x86-64-posix googletest
  wine wine64 xvfb xauth
  zip
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
