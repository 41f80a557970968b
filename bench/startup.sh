#!/usr/bin/env bash
# The start-up benchmark: Varnolix beside a bare Qt tab dialog (five empty tabs, three
# buttons), each from process start to its first shown and painted top-level window,
# and each one's peak resident memory then. Both are Release builds carrying the same
# probe (bench/startup_probe.cpp), which reports and ends the process at that moment;
# the Varnolix copy is the shipping main and application library with the probe beside.
# The two alternate, run by run, under the same Qt platform plugin: offscreen always,
# xcb as well when DISPLAY is set. Where valgrind is installed, it also counts the
# instructions each executes up to its first shown sheet (offscreen), a figure that a
# busy shared machine does not move.
#
#   bench/startup.sh [RUNS]     RUNS of each, per plugin; defaults to 20
#   BASELINE=PATH bench/startup.sh
#                               also another build of the probed program (its
#                               build/bench/bench/probed/Varnolix), with the ratios to it
#
# Everything it makes lives in build/bench, beside the batch benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20}
dir=build/bench

echo "== Building the probed Varnolix and the bare tab dialog (Release) in $dir"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVARNOLIX_TESTS=OFF -DVARNOLIX_GUI=ON -DVARNOLIX_BENCH=ON >/dev/null
cmake --build "$dir" -j 2 --target varnolix-probed bare-tab-dialog launch_timed >/dev/null
launch="$dir/bench/launch_timed"
program="$dir/bench/probed/Varnolix"
bare="$dir/bench/probed/bare-tab-dialog"
baseline=${BASELINE:-}
if [ -n "$baseline" ] && [ ! -x "$baseline" ]; then
  echo "BASELINE=$baseline is no program" >&2
  exit 1
fi
who_all=(varnolix bare)
if [ -n "$baseline" ]; then who_all=(varnolix baseline bare); fi

# One run: prints "app_ms shown_ms vmhwm_kb maxrss_kb", or fails unless the probe saw
# the window painted.
measure() {
  local out err
  err=$(mktemp)
  out=$("$launch" "$1" 2>"$err") || true
  local line
  line=$(awk -v probe="$out" 'BEGIN { split(probe, p, " ") } /^launch / {
    if (p[1] == "startup_probe" && p[11] > 0) print p[3], p[5], p[7], $5 }' "$err")
  rm -f "$err"
  [ -n "$line" ] || { echo "no report of a painted window from $1: '$out'" >&2; return 1; }
  echo "$line"
}

. bench/spread.sh

platforms=(offscreen)
if [ -n "${DISPLAY:-}" ]; then platforms+=(xcb); fi

for platform in "${platforms[@]}"; do
  export QT_QPA_PLATFORM=$platform
  echo "== $platform: $runs runs of each, alternating, after one warm-up run of each"
  measure "$program" >/dev/null
  measure "$bare" >/dev/null
  if [ -n "$baseline" ]; then measure "$baseline" >/dev/null; fi
  results=$(mktemp)
  for _ in $(seq "$runs"); do
    echo "varnolix $(measure "$program")" >>"$results"
    if [ -n "$baseline" ]; then echo "baseline $(measure "$baseline")" >>"$results"; fi
    echo "bare $(measure "$bare")" >>"$results"
  done
  printf '   %-36s %9s %9s %9s\n' "" min median max
  for who in "${who_all[@]}"; do
    printf '   %-36s %s\n' "$who: to QApplication (ms)" "$(awk -v w=$who '$1 == w { print $2 }' "$results" | spread)"
    printf '   %-36s %s\n' "$who: to first shown sheet (ms)" "$(awk -v w=$who '$1 == w { print $3 }' "$results" | spread)"
    printf '   %-36s %s\n' "$who: peak memory VmHWM (MB)" "$(awk -v w=$who '$1 == w { print $4 / 1024 }' "$results" | spread)"
  done
  # Each Varnolix run over the bare run that followed it, so a drift in the machine's
  # speed cancels out.
  paired() {
    awk -v col="$1" '$1 == "varnolix" { v = $col } $1 == "bare" { printf "%.4f\n", v / $col }' "$results"
  }
  printf '   %-36s %s\n' "ratio varnolix/bare, time" "$(paired 3 | spread %9.2f)"
  printf '   %-36s %s\n' "ratio varnolix/bare, memory" "$(paired 4 | spread %9.2f)"
  if [ -n "$baseline" ]; then
    # Each Varnolix run over the baseline run that followed it.
    to_baseline() {
      awk -v col="$1" '$1 == "varnolix" { v = $col } $1 == "baseline" { printf "%.4f\n", v / $col }' "$results"
    }
    printf '   %-36s %s\n' "ratio varnolix/baseline, time" "$(to_baseline 3 | spread %9.3f)"
    printf '   %-36s %s\n' "ratio varnolix/baseline, memory" "$(to_baseline 4 | spread %9.3f)"
  fi
  rm -f "$results"
done

if command -v valgrind >/dev/null; then
  export QT_QPA_PLATFORM=offscreen
  echo "== offscreen: instructions to the first shown sheet (callgrind, one run each)"
  instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 >/dev/null |
      awk '/Collected :/ { print $NF }'
  }
  program_ir=$(instructions "$program")
  bare_ir=$(instructions "$bare")
  awk -v v="$program_ir" -v b="$bare_ir" 'BEGIN {
    printf "   %-36s %9.1f M\n   %-36s %9.1f M\n   %-36s %9.2f\n", "varnolix", v / 1e6, "bare", b / 1e6,
           "ratio varnolix/bare", v / b }'
  if [ -n "$baseline" ]; then
    baseline_ir=$(instructions "$baseline")
    awk -v v="$program_ir" -v b="$baseline_ir" 'BEGIN {
      printf "   %-36s %9.1f M\n   %-36s %9.3f\n", "baseline", b / 1e6, "ratio varnolix/baseline", v / b }'
  fi
fi
