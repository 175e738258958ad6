#!/usr/bin/env bash
# Builds zlib, libpng and libjpeg-turbo as static MinGW-w64 libraries from
# Debian's source packages and installs headers and .a files into <prefix>.
#
#   scripts/build-image-libs.sh <prefix>        e.g. build/deps/mingw64
#
# The result is cached: <prefix>/.stamp names the source versions and the
# recipe; when it matches what would be built, the script exits at once.
# Sources and build trees live in <prefix>.work, noisy output in
# <prefix>.work/build.log.
#
# Needs (as root it installs what is missing): dpkg-dev, cmake, make, nasm,
# g++-mingw-w64-x86-64-posix, and a deb-src entry for Debian's archive.
# libjpeg-turbo is built with its SIMD code, which is why nasm is needed.
set -euo pipefail

# Bump when the build options below change, so cached prefixes are rebuilt.
readonly RECIPE=1
readonly PACKAGES=(zlib libpng1.6 libjpeg-turbo)
readonly TRIPLE=x86_64-w64-mingw32
readonly SOURCES_FILE=/etc/apt/sources.list.d/debian.sources
readonly JOBS=2

if [[ $# -ne 1 ]]; then
  echo "usage: $0 <prefix>" >&2
  exit 2
fi
mkdir -p "$1"
prefix=$(cd "$1" && pwd)
work="$prefix.work"
log="$work/build.log"
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"

step() { echo "[image-libs] $*"; }

# Runs a build command with its output in the log; on failure shows the tail.
run() {
  if ! "$@" >>"$log" 2>&1; then
    echo "[image-libs] failed: $*" >&2
    echo "[image-libs] last lines of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}

have_deb_src() {
  grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ ||
    grep -rqs '^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/
}

# Adds a deb-src stanza for every deb stanza of Debian's sources file.
ensure_deb_src() {
  have_deb_src && return 0
  [[ $EUID -eq 0 ]] || {
    echo "[image-libs] no deb-src entry for Debian's archive; run as root or add one" >&2
    exit 1
  }
  step "adding deb-src entries to $SOURCES_FILE"
  local stanzas
  stanzas=$(awk 'BEGIN { RS = ""; ORS = "\n\n" } /^Types: deb/ { sub(/^Types: deb/, "Types: deb-src"); print }' \
    "$SOURCES_FILE")
  printf '\n%s\n' "$stanzas" >>"$SOURCES_FILE"
  apt-get update -qq
}

# Source versions of a package known to apt, newest first.
source_versions() {
  local versions=() version i j
  mapfile -t versions < <(apt-cache showsrc --only-source "$1" 2>/dev/null |
    awk '/^Version:/ { print $2 }' | sort -u)
  for ((i = 1; i < ${#versions[@]}; i++)); do
    version=${versions[i]}
    for ((j = i; j > 0; j--)); do
      dpkg --compare-versions "${versions[j - 1]}" ge "$version" && break
      versions[j]=${versions[j - 1]}
    done
    versions[j]=$version
  done
  printf '%s\n' "${versions[@]}"
}

ensure_tools() {
  local missing=()
  command -v dpkg-source >/dev/null || missing+=(dpkg-dev)
  command -v cmake >/dev/null || missing+=(cmake)
  command -v make >/dev/null || missing+=(make)
  command -v nasm >/dev/null || missing+=(nasm)
  command -v "$TRIPLE-gcc-posix" >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
  [[ ${#missing[@]} -eq 0 ]] && return 0
  if [[ $EUID -ne 0 ]]; then
    echo "[image-libs] missing packages: ${missing[*]}" >&2
    exit 1
  fi
  step "installing ${missing[*]}"
  apt-get install -y -qq "${missing[@]}" >/dev/null ||
    { apt-get update -qq && apt-get install -y -qq "${missing[@]}" >/dev/null; }
}

# The cache key is the newest source version apt knows for each package. The
# archive may not serve that one (some mirrors lack the security pool's
# sources); then the newest one it serves is built, and the stamp says so.
ensure_deb_src
key="recipe=$RECIPE"
for package in "${PACKAGES[@]}"; do
  newest=$(source_versions "$package" | sed -n 1p)
  if [[ -z $newest ]]; then
    apt-get update -qq
    newest=$(source_versions "$package" | sed -n 1p)
  fi
  [[ -n $newest ]] || {
    echo "[image-libs] apt finds no source package $package" >&2
    exit 1
  }
  key+=$'\n'"$package=$newest"
done

if [[ -f $prefix/.stamp && "$(grep -v '^built ' "$prefix/.stamp")" == "$key" ]]; then
  step "up to date in $prefix"
  exit 0
fi

# Only a prefix this script made (or an empty one) is wiped for the rebuild.
if [[ -n "$(ls -A "$prefix")" && ! -f $prefix/.stamp ]]; then
  echo "[image-libs] $prefix is not empty and has no .stamp; refusing to replace it" >&2
  exit 1
fi
ensure_tools
started=$SECONDS
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
: >"$log"

# Unpacks the newest source of a package that the archive serves into
# $work/<package> and records its version in $built.
built=""
fetch() {
  local package=$1 version
  for version in $(source_versions "$package"); do
    step "fetching $package $version"
    if (cd "$work" && apt-get source --download-only -qq "$package=$version" >>"$log" 2>&1); then
      run dpkg-source -x "$work/${package}_${version#*:}.dsc" "$work/$package"
      built+=$'\n'"built $package=$version"
      return 0
    fi
    step "the archive does not serve $package $version"
  done
  echo "[image-libs] could not fetch any source of $package; see $log" >&2
  exit 1
}

cmake_build() {
  local name=$1 source=$2
  shift 2
  step "building $name"
  run cmake -S "$source" -B "$work/$name-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
  run cmake --build "$work/$name-build" -j"$JOBS"
  run cmake --install "$work/$name-build"
}

for package in "${PACKAGES[@]}"; do
  fetch "$package"
done

# zlib: Debian's source lacks the win32 makefiles, and zlib's CMake project
# always adds a DLL, so only its static target is built and installed by hand.
step "building zlib"
run cmake -S "$work/zlib" -B "$work/zlib-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release
run cmake --build "$work/zlib-build" --target zlibstatic -j"$JOBS"
install -D -m 644 "$work/zlib-build/libzlibstatic.a" "$prefix/lib/libz.a"
install -D -m 644 -t "$prefix/include" "$work/zlib/zlib.h" "$work/zlib-build/zconf.h"

cmake_build libpng "$work/libpng1.6" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a"

cmake_build libjpeg-turbo "$work/libjpeg-turbo" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER="$(command -v nasm)"

printf '%s%s\n' "$key" "$built" >"$prefix/.stamp.tmp"
mv "$prefix/.stamp.tmp" "$prefix/.stamp"
step "done in $((SECONDS - started)) s: $prefix"
