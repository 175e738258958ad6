#!/usr/bin/env bash
# Installs what is missing, builds quadrivista.exe and runs it. Without
# Windows at hand it runs under Wine in a virtual display, shows the tray
# menu and the settings window, and leaves screenshots in build/screenshots.
#   scripts/run.sh           run, take the screenshots, end the program
#   scripts/run.sh --stay    keep it running until Enter is pressed
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}
mkdir -p "$build"
"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build/mingw" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$build/mingw-configure.log" 2>&1 ||
  { cat "$build/mingw-configure.log"; exit 1; }
cmake --build "$build/mingw" -j2 --target quadrivista qvdriver test_window

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
trap qv_wine_stop EXIT
qv_wine_start "$build"

bin="$build/mingw/bin"

# Two windows of another program to manage.
wine "$bin/test_window.exe" --count 2 --title "Another program" --at 160 220 >/dev/null &
windows=$!
wine "$bin/quadrivista.exe" &
program=$!
wine "$bin/qvdriver.exe" wait-started screenshot:desktop open-tray-menu screenshot:tray-menu \
  close-menu show-window-list screenshot:window-list close-window-list show-settings \
  screenshot:settings-window open-page:11 screenshot:settings-keys cancel-page \
  hide-settings cube-open display-screenshot:cube cube-right display-screenshot:cube-turned cube-close

if [[ ${1:-} == --stay ]]; then
  echo "Quadrivista runs on display $DISPLAY; press Enter to end it."
  read -r
fi
wine "$bin/qvdriver.exe" quit
wait "$program"
kill "$windows" 2>/dev/null || true
qv_collect_screenshots "$build/screenshots"
echo "Screenshots: $build/screenshots"
