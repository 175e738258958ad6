#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Does nothing when they are all there already.
set -euo pipefail

packages=(
  cmake ninja-build g++ make python3 clang-format         # native build and tools
  clang libclang-rt-14-dev                                # sanitizers and libFuzzer
  googletest                                              # GoogleTest sources for both trees
  libpng-dev libjpeg62-turbo-dev zlib1g-dev                # image libraries for the native tests
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev          # the Windows build
  binutils-mingw-w64-x86-64 dpkg-dev nasm                  # image libraries built for Windows
  wine wine64 xvfb xauth imagemagick xdotool               # running and testing under Wine
  g++-mingw-w64-i686-posix                                 # the 32-bit hook library and helper
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
