#!/usr/bin/env bash
# Builds Varnolix and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/require-packages.sh
require_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVARNOLIX_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Varnolix is built (build/release/app/Varnolix), but there is no display to show it on." >&2
  echo "Run it from a desktop session, or set DISPLAY (for example under Xvfb)." >&2
  exit 1
fi
exec build/release/app/Varnolix "$@"
