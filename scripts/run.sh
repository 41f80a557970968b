#!/usr/bin/env bash
# Builds Varnolix and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/require-packages.sh
require_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVARNOLIX_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)"
exec build/release/cli/varnolix-assess examples/employees.csv
