#!/usr/bin/env bash
# Dependencies point one way: each folder of the source includes headers only of the
# folders below it that it builds on, and the layers that know no Qt include none of it.
# Usage: includes.sh SOURCE_DIR
set -euo pipefail
cd "$1"

# What each layer builds on directly; what it may include is all it reaches from there.
declare -A builds_on=(
  [app]="pages report document platform"
  [pages]="computation hyperlink platform resources"
  [hyperlink]="platform"
  [report]="computation"
  [cli]="computation payroll assessment"
  [document]="payroll"
  [computation]="payroll assessment"
  [payroll]="assessment"
  [assessment]=""
  [platform]="resources"
  [resources]=""
)
qt_free=(cli document computation payroll assessment resources)

reach() {
  local layer=$1 below
  for below in ${builds_on[$layer]}; do
    echo "$below"
    reach "$below"
  done
}

status=0
for layer in "${!builds_on[@]}"; do
  # The version header is generated for every layer that names the program.
  allowed=" $layer varnolix $(reach "$layer" | sort -u | tr '\n' ' ')"
  while IFS=: read -r file line text; do
    folder=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$text")
    if [[ $allowed != *" $folder "* ]]; then
      echo "$file:$line: $layer includes $folder, which it does not build on: $text"
      status=1
    fi
  done < <(grep -rnE '^#include "[a-z_]+/' "$layer" --include='*.cpp' --include='*.h' || true)
done
for layer in "${qt_free[@]}"; do
  if grep -rnE '^#include <Q' "$layer" --include='*.cpp' --include='*.h'; then
    echo "$layer knows no Qt, yet includes it (above)"
    status=1
  fi
done
# The sheet's layout and pagination know no Qt either: only its painter draws with it.
if grep -nE '^#include <Q' report/*.cpp report/*.h | grep -vE '^report/(sheet_painter|sheet_fonts|paper)\.'; then
  echo "report's layout includes Qt (above); only its painter may"
  status=1
fi
exit $status
