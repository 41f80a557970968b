#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test, then builds and runs
# the suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/require-packages.sh
require_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

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
run_suite build/check -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVARNOLIX_SANITIZE=ON
echo "All tests passed."
