#!/usr/bin/env bash
# Installs the build into a fresh staging prefix and checks it holds exactly the expected
# files, with the programs executable and nothing else so.
# Usage: stage.sh BUILD_DIR PREFIX GUI(ON|OFF)
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$1 prefix=$2 gui=$3

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

expected_files "$gui" >"$prefix.expected"
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$prefix.installed"
same_files "$prefix.expected" "$prefix.installed" "the staged install"

while read -r file; do
  if [[ $file == bin/* ]]; then
    [ -x "$prefix/$file" ] || fail "$file is not executable"
  else
    [ ! -x "$prefix/$file" ] || fail "$file is executable"
  fi
done <"$prefix.installed"
echo "staged install in $prefix: $(wc -l <"$prefix.installed") files as expected"
