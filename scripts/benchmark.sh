#!/usr/bin/env bash
# Measures the real program under Wine: desktop-switch latency for 10, 50 and
# 200 windows per desktop (hide and show) beside the same window moves made
# bare with no manager running, a test program's own window calls with the
# program running and without it, idle
# CPU with 50 windows over 30 seconds, and private memory. Prints a table.
#   scripts/benchmark.sh [switches] [features]   (default 20 switches per size)
# With "features" as second argument each desktop has its own wallpaper
# picture and icon layout; without it neither. Then the 3D effects (the cube,
# the flip, the carousel, the explorer and the water-drop ripple) beside a bare
# Direct3D 9 loop with the memory across 20 runs of each, and the kill storm:
# the program killed QV_KILL_STORM times (default 100) at random moments of
# hotkey switches and restarted, with the windows it lost or damaged and its
# slowest recovery.
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
# prepare_session [switches] [features]: the settings the program starts with
# and the stand-in shell, in a session just started.
prepare_session() {
  if [[ ${2:-} == features ]]; then
    wine "$bin/qvdriver.exe" features:on
  else
    wine "$bin/qvdriver.exe" features:off
  fi
  wine "$bin/standin_shell.exe" &
  sleep 2
}
prepare_session "$@"
# For each size three runs of the program's switches, each set beside the bare
# moves (no manager running) just before and just after it: the machine's
# speed drifts within a longer run. The same bare moves of 50 windows take
# 40 ms in one test program and 90 ms in the next, a minute later: so each
# side is three test programs, and the bare figure is the median of the six.
# The row shown is the run with the median ratio; the three ratios follow it.
moves_file="$build/bench-moves.txt"
test_window=$(winepath -w "$bin/test_window.exe")
bare_moves() {
  for _ in 1 2 3; do wine "$bin/qvbench.exe" bare "$test_window" "$1" "$2" | tr -d '\r'; done
}
# switch_tables [switches]: fills switch_rows and split_rows for 10, 50 and 200
# windows.
switch_tables() {
  switch_rows=() split_rows=()
  local before
  before=$(cpu_time_taken)
  for count in 10 50 200; do
    bare_moves "${1:-20}" "$count" >"$moves_file"
    for _ in 1 2 3; do
      wine "$bin/quadrivista.exe" &
      program=$!
      wine "$bin/qvdriver.exe" wait-started
      wine "$bin/qvbench.exe" switches "$test_window" "${1:-20}" "$count" | tr -d '\r' >>"$moves_file"
      wine "$bin/qvdriver.exe" quit
      wait "$program"
      bare_moves "${1:-20}" "$count" >>"$moves_file"
    done
    # "switch N hide show total worst again" lines between groups of three
    # "moves N hide show styled-hide styled-show" lines; a line saying what went
    # wrong as it stands. Two rows out: the switch table's and the hide-and-show
    # table's.
    mapfile -t rows < <(awk -v count="$count" '
      $1 == "moves" { hide[++m] = $3; show[m] = $4; styledHide[m] = $5; styledShow[m] = $6; next }
      $1 == "switch" {
        n = $2; h[++r] = $3; s[r] = $4; total[r] = $5; worst[r] = $6; before[r] = m; again += $7; next
      }
      { failed = failed $0 }
      # The median of the six moves around a run (lines b - 2 to b + 3) in `of`.
      function around(of, b,   i, j, v, t) {
        for (i = 1; i <= 6; i++) v[i] = of[b - 3 + i]
        for (i = 2; i <= 6; i++) # insertion sort: not every awk has asort
          for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return (v[3] + v[4]) / 2
      }
      END {
        if (failed != "" || r == 0 || m < 3 * (r + 1)) {
          row = failed != "" ? failed : "| " count " | no switches measured |"
          print row; print row; exit
        }
        for (i = 1; i <= r; i++) {
          b = before[i]
          bh[i] = around(hide, b); bs[i] = around(show, b)
          ratio[i] = total[i] / (bh[i] + bs[i]); order[i] = i
        }
        for (i = 2; i <= r; i++) # insertion sort by ratio: not every awk has asort
          for (j = i; j > 1 && ratio[order[j - 1]] > ratio[order[j]]; j--) {
            t = order[j]; order[j] = order[j - 1]; order[j - 1] = t
          }
        k = order[int((r + 1) / 2)]
        all = ""
        for (i = 1; i <= r; i++) all = all sprintf("%s%.2f", i > 1 ? ", " : "", ratio[i])
        if (again > 0) all = all sprintf(" (a hotkey lost and pressed again: %d)", again)
        printf "| %4d | %7.1f | %7.1f | %7.1f | %7.1f | %9.1f | %9.1f | %9.1f | %5.2f | %s |\n",
               n, h[k], s[k], total[k], worst[k], bh[k], bs[k], bh[k] + bs[k], ratio[k], all
        # The same run, the hide and the show each against both kinds of bare moves.
        b = before[k]; sh = around(styledHide, b); ss = around(styledShow, b)
        printf "| %4d | %7.1f | %9.1f | %9.1f | %5.2f | %5.2f | %7.1f | %9.1f | %9.1f | %5.2f | %5.2f |\n",
               n, h[k], bh[k], sh, h[k] / bh[k], h[k] / sh, s[k], bs[k], ss, s[k] / bs[k], s[k] / ss
      }' "$moves_file")
    switch_rows+=("${rows[0]}") split_rows+=("${rows[1]}")
  done
  steal_share=$(awk -v before="$before" -v after="$(cpu_time_taken)" 'BEGIN {
    split(before, b); split(after, a)
    if (a[2] > b[2]) printf "%.0f", 100 * (a[1] - b[1]) / (a[2] - b[2]); else print "?" }')
}
# "stolen total" jiffies of all cores: in a virtual machine, "stolen" is the
# time its cores were ready to run and the host ran something else. Cross-process
# round trips, which a switch is made of, suffer from it more than a bare loop.
cpu_time_taken() {
  awk '$1 == "cpu" { print $9 + 0, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9 }' /proc/stat
}
switch_tables "$@"
# The two tables of switch_tables, each under its heading.
print_switch_tables() {
  printf '| windows per desktop | hide ms | show ms | switch ms | worst ms | bare hide ms | bare show ms | bare ms | ratio | the three ratios |\n'
  printf '|---|---|---|---|---|---|---|---|---|---|\n'
  printf '%s\n' "${switch_rows[@]}"
  printf '\nThe hide and the show of the same runs, each against the bare moves and against the bare moves with the tool-window style a switch also sets on hidden windows and takes off shown ones (made from outside, a call more per window)\n\n'
  printf '| windows per desktop | hide ms | bare hide ms | styled bare hide ms | to bare | to styled | show ms | bare show ms | styled bare show ms | to bare | to styled |\n'
  printf '|---|---|---|---|---|---|---|---|---|---|---|\n'
  printf '%s\n' "${split_rows[@]}"
  printf '\nWhile these ran, the host of this virtual machine held back %s %% of its CPU time (steal time; 0 on a machine of its own)\n' "$steal_share"
}
# A program's own window calls, without the program and with it running idle,
# alternately on the windows of one test program: ten times with it, each
# beside the runs without it just before and just after. The same calls take
# 100 ms in one test program and 250 ms in the next on this machine, and drift
# as much within one, so the median of the ten is the figure.
own_pairs=10
mapfile -t own_moves < <(wine "$bin/qvbench.exe" own-alternately "$test_window" "${1:-20}" "$own_pairs" \
  "$(winepath -w "$bin/quadrivista.exe")" "$(winepath -w "$bin/qvdriver.exe")" |
  tr -d '\r' | awk '$1 == "own" { print $3 }')
# The memory floor: a bare Direct3D 9 program (device, one textured quad,
# presenting) as resident as Wine makes it, measured while it runs.
bench="$bin/qvbench_effects.exe"
rss() { awk '/^RssAnon/ { print $2 }' "/proc/$1/status"; }
wine "$bench" bare:6 | tr -d '\r' >"$build/bench-floor.txt" &
floor_run=$!
sleep 4
floor=$(rss "$(pgrep -f "$bin/qvbench_effects.exe" | head -n 1)")
wait "$floor_run"
IFS=x read -r screen_width screen_height < <(awk '/^bare/ { print $3 }' "$build/bench-floor.txt")
# The Wine server of this prefix does the window work the program asks for;
# first its own cost with the same 50 windows open and no manager running.
server=""
for candidate in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
  if tr '\0' '\n' <"/proc/$candidate/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
    server=$candidate
  fi
done
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wine "$bin/test_window.exe" --count 50 >/dev/null &
windows=$!
sleep 10
server_before=$(ticks "$server")
sleep 30
server_alone=$(($(ticks "$server") - server_before))
kill "$windows" 2>/dev/null || true
wine "$bin/quadrivista.exe" &
program=$!
wine "$bin/qvdriver.exe" wait-started
printf 'Desktop switch from the hotkey'"'"'s key-up until the last window of the old desktop left the screen (hide) and the last of the new one is back (show), medians of %s switches; bare: the same moves made by test programs with no manager running, the median of three just before and three just after. Three runs of the program per size: the row is the run with the median ratio\n\n' "${1:-20}"
print_switch_tables
wine "$bin/qvbench.exe" "$test_window" "${1:-20}"
printf '\nA test program'"'"'s own window calls (50 windows shifted and back), with the program running idle, beside the mean of the runs without it just before and just after, all on the windows of one test program\n\n'
printf '| without ms (before, after) | with ms | slowdown |\n|---|---|---|\n'
# One line per run with the program: "without (before, after) | with | slowdown".
for ((i = 0; i < own_pairs; i++)); do
  echo "${own_moves[$((2 * i))]} ${own_moves[$((2 * i + 2))]} ${own_moves[$((2 * i + 1))]}"
done | awk '{ without = ($1 + $2) / 2; v[NR] = $3 / without
              printf "| %7.1f (%.1f, %.1f) | %7.1f | %8.2f |\n", without, $1, $2, $3, v[NR] }
            END { for (i = 2; i <= NR; i++) # insertion sort: not every awk has asort
                    for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
                  printf "Median slowdown: %.2f\n", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'

# Idle cost, read from the Linux side: Wine does not report another
# process's times or memory to a Windows program.
pid=$(pgrep -f "$bin/quadrivista.exe" | head -n 1)
wine "$bin/test_window.exe" --count 50 >/dev/null &
windows=$!
sleep 10 # the new windows taken on and pictured
before=$(ticks "$pid")
server_before=$(ticks "$server")
sleep 30
after=$(ticks "$pid")
server_after=$(ticks "$server")
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v s=$((server_after - server_before)) -v hz="$hz" -v a="$server_alone" \
  'BEGIN { printf "\nIdle with 50 windows over 30 s, %% of one core: program %.2f, Wine server %.2f, together %.2f (the Wine server with the same windows and no manager: %.2f)\n",
           100 * t / hz / 30, 100 * s / hz / 30, 100 * (t + s) / hz / 30, 100 * a / hz / 30 }'
# The pictures the program holds: six desktop pictures at screen size and the
# wallpaper picture they start from (32 bits a pixel).
awk -v held="$(rss "$pid")" -v floor="$floor" -v w="$screen_width" -v h="$screen_height" 'BEGIN {
  pictures = 7 * w * h * 4 / 1048576; goal = floor / 1024 + 1.25 * pictures
  printf "Private memory (resident, anonymous, Wine process included): %.1f MiB; floor (bare Direct3D 9 program) %.1f MiB, pictures held %.1f MiB, goal at most %.1f MiB\n",
         held / 1024, floor / 1024, pictures, goal }'
kill "$windows" 2>/dev/null || true
wine "$bin/qvdriver.exe" quit
wait "$program"

# The cube beside a bare Direct3D 9 loop of the same size measured in this
# run: frames per second, time from the hotkey to the cube on screen, and the
# program's memory during and after 20 effects (read from /proc).
# Wine's programs end their lines with a carriage return.
read -r _ bare screen < <(wine "$bench" bare:10 | tr -d '\r' | grep '^bare')
# The machine's speed drifts within a run: each effect is also set beside the
# bare loop measured just before and just after it (their mean).
declare -A fps latency beside
bare_fps() { wine "$bench" bare:5 | tr -d '\r' | awk '/^bare/ { print $2 }'; }
mean() { awk -v a="$1" -v b="$2" 'BEGIN { print (a + b) / 2 }'; }
# measure KEY STEP: the effect's latency and frame rate, and the bare loop around it.
measure() {
  local before after name=${2%%:*}
  before=$(bare_fps)
  read -r _ latency[$1] fps[$1] < <(wine "$bench" "$2" | tr -d '\r' | grep "^$name ") ||
    { latency[$1]=0; fps[$1]=0; }
  after=$(bare_fps)
  beside[$1]=$(mean "$before" "$after")
}
# The program with 10 windows on each of desktops 1 and 2, back on desktop 1.
start_with_two_desktops() {
  wine "$bin/quadrivista.exe" &
  program=$!
  wine "$bin/qvdriver.exe" wait-started
  wine "$bin/test_window.exe" --count 10 --at 100 100 >/dev/null &
  first=$!
  sleep 3
  wine "$bench" key:ctrl+2
  wine "$bin/test_window.exe" --count 10 --at 160 140 >/dev/null &
  second=$!
  sleep 3
  wine "$bench" key:ctrl+1
  pid=$(pgrep -f "$bin/quadrivista.exe" | head -n 1)
}
stop_program() {
  kill "$first" "$second" "$@" 2>/dev/null || true
  wine "$bin/qvdriver.exe" quit
  wait "$program"
}
# Resident memory once an effect's leftovers are gone: Wine's Direct3D frees
# a released texture's memory a moment later, on its own thread.
settled_rss() {
  local last now
  last=$(rss "$pid")
  for _ in $(seq 20); do
    sleep 0.25
    now=$(rss "$pid")
    [[ $now == "$last" ]] && break
    last=$now
  done
  echo "$last"
}
# memory_runs EFFECT: the settled memory before 20 runs and after each 5, in
# KiB. One run first: an effect's first run has the software renderer compile
# its shaders and take in the pictures the host keeps for the program's life.
memory_runs() {
  local series
  wine "$bench" "cycles:1:$1" >/dev/null
  series=$(settled_rss)
  for _ in 1 2 3 4; do
    wine "$bench" "cycles:5:$1" >/dev/null
    series+=" $(settled_rss)"
  done
  echo "$series"
}
declare -A memory
for live in 0 1; do
  wine "$bench" settings:PerformanceLivePreview=$live
  start_with_two_desktops
  measure "$live" cube:10
  if [[ $live == 1 ]]; then
    ( peak=0; while sleep 0.2; do now=$(rss "$pid") || break; ((now > peak)) && peak=$now &&
        echo "$peak" >"$build/effect-peak-rss"; done ) &
    sampler=$!
    memory[cube]=$(memory_runs cube)
    kill "$sampler" 2>/dev/null || true
  fi
  stop_program
done
peak=$(cat "$build/effect-peak-rss" 2>/dev/null || echo 0)

# The flip, the carousel and the explorer in one more run, with the default
# settings (live preview on) and the water drop on: each one's frame rate and
# time to the screen, then its memory before and after 20 runs. Last the
# ripple: a window held by its title bar is carried into the flip and let go.
wine "$bench" settings:PerformanceWaterDrop=1
start_with_two_desktops
effects=(flip carousel explorer)
for effect in "${effects[@]}"; do
  measure "$effect" "$effect:10"
  memory[$effect]=$(memory_runs "$effect")
done
wine "$bin/test_window.exe" --at 300 300 --size 500 300 --colour 200 60 60 >/dev/null &
carried=$!
sleep 3
ripple_before=$(bare_fps)
read -r _ ripple < <(wine "$bench" ripple:500,310 | tr -d '\r' | grep '^ripple') || ripple=0
beside[ripple]=$(mean "$ripple_before" "$(bare_fps)")
stop_program "$carried"

# The same runs with the C library's allocator under Wine returning every
# large block to the system when freed: what stays is the program's own.
# (By default it keeps blocks of the size it last returned in its heap, and
# the software renderer's textures come and go in such blocks.)
export MALLOC_MMAP_THRESHOLD_=131072
start_with_two_desktops
for effect in cube "${effects[@]}"; do
  memory[$effect-own]=$(memory_runs "$effect")
done
stop_program
unset MALLOC_MMAP_THRESHOLD_

printf '\nEffects at %s, 10 windows on each of desktops 1 and 2\n' "$screen"
printf '| %-34s | %10s | %13s | %12s | %15s | %16s |\n' "" "frames / s" "share of bare" \
  "bare beside" "share of beside" "hotkey to screen"
printf '| %-34s | %10.1f | %13s | %12s | %15s | %16s |\n' "bare Direct3D 9 loop (one quad)" \
  "$bare" "1.00" "-" "-" "-"
share() { awk -v a="$1" -v b="$2" 'BEGIN { print (b > 0 ? a / b : 0) }'; }
row() { # name fps beside latency
  printf '| %-34s | %10.1f | %13.2f | %12.1f | %15.2f | %16s |\n' "$1" "$2" "$(share "$2" "$bare")" \
    "$3" "$(share "$2" "$3")" "$4"
}
for live in 0 1; do
  row "cube, live preview $([[ $live == 1 ]] && echo on || echo off)" "${fps[$live]}" \
    "${beside[$live]}" "$(printf '%.0f ms' "${latency[$live]}")"
done
for effect in "${effects[@]}"; do
  row "$effect, live preview on" "${fps[$effect]}" "${beside[$effect]}" \
    "$(printf '%.0f ms' "${latency[$effect]}")"
done
row "ripple (window carried into flip)" "$ripple" "${beside[ripple]}" "-"
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
printf '\nMemory (resident, anonymous) before 20 runs of each effect and after every 5, settled; peak during the 20 cubes %s MiB\n' \
  "$(mib "$peak")"
printf '| %-36s | %7s | %7s | %7s | %7s | %7s | %10s |\n' "" "before" "5" "10" "15" "20" "growth"
memory_row() { # name series
  local values
  read -r -a values <<<"$2"
  printf '| %-36s |' "$1"
  for value in "${values[@]}"; do printf ' %7s |' "$(mib "$value")"; done
  printf ' %6s MiB |\n' "$(mib $((values[4] - values[0])))"
}
for effect in cube "${effects[@]}"; do
  memory_row "$effect" "${memory[$effect]}"
done
for effect in cube "${effects[@]}"; do
  memory_row "$effect, large blocks returned" "${memory[$effect-own]}"
done

# The exposer: from F9 to the overview fully painted (seen from outside,
# which includes polling the log every 5 ms, and as the program measured
# it), then the program's CPU while the overview stays open and settled and
# after it closed, with 12 and 50 windows on the desktop.
cpu_over() { # seconds: percent of one core the program used
  local before after
  before=$(ticks "$pid")
  sleep "$1"
  after=$(ticks "$pid")
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$1" 'BEGIN { printf "%.1f", 100 * t / hz / s }'
}
printf '\nExposer (painted thumbnails)\n'
printf '| %-8s | %14s | %15s | %16s | %16s |\n' "windows" "F9 to painted" "inside program" "CPU open, settled" "CPU closed"
for count in 12 50; do
  wine "$bench" settings:ExposerTransparency=1
  wine "$bin/quadrivista.exe" &
  program=$!
  wine "$bin/qvdriver.exe" wait-started
  pid=$(pgrep -f 'bin/quadrivista.exe' | head -n 1)
  wine "$bin/test_window.exe" --count "$count" --at 0 0 --size 320 240 >/dev/null &
  windows=$!
  sleep 4
  read -r _ from_key inside _ < <(wine "$bench" exposer:open | tr -d '\r' | grep '^exposer')
  sleep 3 # the opacity springs settle
  open_cpu=$(cpu_over 10)
  wine "$bench" exposer:close
  closed_cpu=$(cpu_over 10)
  printf '| %-8s | %11.0f ms | %12.0f ms | %15s%% | %15s%% |\n' "$count" "$from_key" "$inside" "$open_cpu" "$closed_cpu"
  kill "$windows" 2>/dev/null || true
  wine "$bin/qvdriver.exe" quit
  wait "$program"
done

echo
QV_KILL_STORM=${QV_KILL_STORM:-100} wine "$bin/quadrivista_e2e.exe" \
  --gtest_filter='RecoveryEndToEnd.KillsAtRandomMomentsOfSwitchesLoseAndDamageNoWindow' |
  grep -E '^Kill storm|FAILED|Failure' || true

# The switch tables once more with the whole session (the X server, the Wine
# server and every program) on one core. Each window call of a Wine program is
# a round trip to the Wine server; on two cores the server and the caller
# often sit on different ones, and each answer then has to wake an idle core
# (about 50 us here against 10 us on the same core). That cost falls unevenly:
# a window's own thread moving its windows, as a switch has it, meets it far
# more often than the bare moves made from another program, and the figures of
# the same switch swing by a factor of two between runs. On one core both pay
# for the same work.
if (($(nproc) > 1)); then
  qv_wine_stop
  taskset -p -c 0 $$ >/dev/null
  qv_wine_start "$build" wineprefix-tests >/dev/null
  prepare_session "$@"
  switch_tables "$@"
  printf '\nThe same with the whole Wine session on one core\n\n'
  print_switch_tables
fi
