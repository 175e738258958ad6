#!/usr/bin/env bash
# Measures the real program under Wine: desktop-switch latency for 10, 50 and
# 200 windows per desktop beside the bare cost of the same window moves, idle
# CPU with 50 windows over 30 seconds, and private memory. Prints a table.
#   scripts/benchmark.sh [switches] [features]   (default 20 switches per size)
# With "features" as second argument each desktop has its own wallpaper
# picture and icon layout; without it neither. Then the 3D cube beside a bare
# Direct3D 9 loop, and the kill storm: the program killed QV_KILL_STORM times
# (default 100) at random moments of hotkey switches and restarted, with the
# windows it lost or damaged and its slowest recovery.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}
mkdir -p "$build"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build/mingw" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$build/mingw-configure.log" 2>&1 ||
  { cat "$build/mingw-configure.log"; exit 1; }
cmake --build "$build/mingw" -j2 --target quadrivista standin_shell test_window qvbench qvdriver \
  qvbench_effects quadrivista_e2e >/dev/null

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
trap qv_wine_stop EXIT
qv_wine_start "$build" wineprefix-tests

bin="$build/mingw/bin"
if [[ ${2:-} == features ]]; then
  wine "$bin/qvdriver.exe" features:on
else
  wine "$bin/qvdriver.exe" features:off
fi
wine "$bin/standin_shell.exe" &
sleep 2
wine "$bin/quadrivista.exe" &
program=$!
wine "$bin/qvdriver.exe" wait-started
wine "$bin/qvbench.exe" "$(winepath -w "$bin/test_window.exe")" "${1:-20}"

# Idle cost, read from the Linux side: Wine does not report another
# process's times or memory to a Windows program.
pid=$(pgrep -f 'bin/quadrivista.exe' | head -n 1)
wine "$bin/test_window.exe" --count 50 >/dev/null &
windows=$!
sleep 3
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep 30
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" \
  'BEGIN { printf "\nIdle with 50 windows: %.2f%% of one core over 30 s (%.2f s CPU)\n", 100 * t / hz / 30, t / hz }'
awk '/^RssAnon/ { printf "Private memory (resident, anonymous, Wine process included): %.1f MiB\n", $2 / 1024 }' \
  "/proc/$pid/status"
kill "$windows" 2>/dev/null || true
wine "$bin/qvdriver.exe" quit
wait "$program"

  qvbench_effects quadrivista_e2e >/dev/null
