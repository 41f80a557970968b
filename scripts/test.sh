#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test, then builds and runs
# the suite again under AddressSanitizer and UndefinedBehaviorSanitizer, then cross-builds
# the Qt-free part for Windows and runs its tests under Wine, then runs each fuzz target
# of tests/fuzz for a while on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/require-packages.sh
require_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DVARNOLIX_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --timeout 300
}

echo "== Build and test =="
# The benchmarks are built too, so that they never fall out of step with the code.
run_suite build/check -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOLIX_BENCH=ON
echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVARNOLIX_SANITIZE=ON

# One Wine server for the whole stage, kept running, else each program's start would pay
# for a new one; the prefix is made once, in the build folder.
echo "== Cross-build for Windows and test under Wine =="
export WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
run_suite build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVARNOLIX_GUI=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOLIX_LINUX_ASSESS="$PWD/build/check/cli/varnolix-assess"
/usr/lib/wine/wineserver -k 2>/dev/null || true
trap - EXIT
unset WINEPREFIX WINEDEBUG

# Each target runs on a scratch copy of its corpus, so the committed seeds stay as they
# are; a finding fails the test command and leaves its input in the scratch folder.
run_fuzzers() {
  local seconds=$1
  shift
  cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVARNOLIX_FUZZ=ON -DVARNOLIX_GUI=OFF -DVARNOLIX_TESTS=OFF -DVARNOLIX_WERROR=ON >/dev/null
  cmake --build build/fuzz -j "$jobs" --target "${@/%/_fuzz}"
  local scratch target
  scratch=$(mktemp -d)
  for target in "$@"; do
    cp -r "tests/fuzz/corpus/$target" "$scratch/$target"
    if ! "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$scratch/" "$scratch/$target" >"$scratch/$target.log" 2>&1; then
      tail -n 40 "$scratch/$target.log"
      echo "${target}_fuzz found a fault; the input is in $scratch" >&2
      return 1
    fi
    echo "${target}_fuzz: $(grep -o 'number_of_executed_units: [0-9]*' "$scratch/$target.log" | grep -o '[0-9]*$') runs in ${seconds} s, no finding"
  done
  rm -rf "$scratch"
}
echo "== Fuzz the readers, the command line and the assessment =="
run_fuzzers 15 amount csv_reader command_line assessment threads
echo "All tests passed."
