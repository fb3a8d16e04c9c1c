#!/usr/bin/env bash
# Installs with apt-get whatever the build and the tests need and this machine lacks.
# Safe to run again: with everything present it does nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libbenchmark-dev zlib1g-dev python3 clang libclang-rt-14-dev
  wamerican nsis zip unzip
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine64 fonts-wine xvfb xauth x11-utils xclip imagemagick fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
