#!/usr/bin/env bash
# Builds the portable code and its GoogleTest suites natively with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer in build/sanitize, runs the
# suites, then runs every fuzz target (tests/fuzz) for a while on a copy of
# its seed corpus. Prints one line per target with its executions.
#   scripts/fuzz.sh [seconds per target]   (default 5; e.g. 600 for a long run)
#   scripts/fuzz.sh --no-unit-tests [seconds]
# A crash stops with the reproducer in build/sanitize/fuzz-<target>/.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# Absolute, as the targets run from their own work folders.
build=$(realpath -m "${QV_BUILD_DIR:-$root/build}")/sanitize
unit_tests=1
if [[ ${1:-} == --no-unit-tests ]]; then unit_tests=0; shift; fi
seconds=${1:-5}

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags -fsanitize=fuzzer-no-link" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j2 || exit 1

failed=0
if ((unit_tests)); then
  echo "== Native tests with AddressSanitizer and UndefinedBehaviorSanitizer"
  ctest --test-dir "$build" --output-on-failure --timeout 300 || failed=1
fi

echo "== Fuzzing, $seconds s per target"
for target in "$build"/tests/fuzz/*_fuzz; do
  name=$(basename "$target")
  work="$build/fuzz-$name"
  rm -rf "$work" && mkdir -p "$work/corpus"
  cp "$root/tests/fuzz/corpus/$name"/* "$work/corpus/" 2>/dev/null
  (cd "$work" && "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 corpus >"$work/log" 2>&1)
  status=$?
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$work/log" | grep -oE '[0-9]+$')
  if ((status != 0)); then
    echo "$name: FAILED after ${runs:-?} executions (see $work/log)"
    failed=1
  else
    echo "$name: ${runs:-?} executions, 0 crashes"
  fi
done
exit $failed
