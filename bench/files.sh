#!/usr/bin/env bash
# The program's files: opening one row of a payroll file of 1,00,000 rows (the rows
# listed, the picker shown and painted, the list narrowed by an employee number, the last row read
# again), and Varnolix --print-to-pdf on 1,000 rows, per sheet. Release builds; the rows
# come from make_rows with a fixed seed.
#
#   bench/files.sh [RUNS]     RUNS of each; defaults to 5
#   BASELINE=PATH bench/files.sh
#                             also another build's Varnolix --print-to-pdf, alternating
#
# Everything it makes lives in build/bench, beside the other benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
dir=build/bench

echo "== Building Varnolix and open_rows (Release) in $dir"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVARNOLIX_TESTS=OFF -DVARNOLIX_GUI=ON -DVARNOLIX_BENCH=ON >/dev/null
cmake --build "$dir" -j 2 --target Varnolix open_rows >/dev/null
"${CXX:-c++}" -std=c++20 -O2 -o "$dir/make_rows" bench/make_rows.cpp
rows_100k="$dir/rows-100k.csv"
rows_1k="$dir/rows-1k.csv"
[ -s "$rows_100k" ] || "$dir/make_rows" 100000 > "$rows_100k"
[ -s "$rows_1k" ] || "$dir/make_rows" 1000 > "$rows_1k"

. bench/spread.sh

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
echo "== Opening a row of $(($(wc -l < "$rows_100k") - 1)) rows ($(du -h "$rows_100k" | cut -f1)), $runs runs, $QT_QPA_PLATFORM"
results=$(mktemp)
"$dir/bench/open_rows" "$rows_100k" >/dev/null 2>&1  # warm the cache
for _ in $(seq "$runs"); do "$dir/bench/open_rows" "$rows_100k" 2>/dev/null >>"$results"; done
printf '   %-40s %9s %9s %9s\n' "" min median max
printf '   %-40s %s\n' "rows listed (ms)" "$(awk '{ print $1 }' "$results" | spread)"
printf '   %-40s %s\n' "picker shown and painted (ms)" "$(awk '{ print $2 }' "$results" | spread)"
printf '   %-40s %s\n' "narrowed to a number, painted (ms)" "$(awk '{ print $3 }' "$results" | spread)"
printf '   %-40s %s\n' "last row read again (ms)" "$(awk '{ print $4 }' "$results" | spread)"
rm -f "$results"

baseline=${BASELINE:-}
echo "== Varnolix --print-to-pdf on 1000 rows, $runs runs${baseline:+, alternating with BASELINE}"
pdf=$(mktemp --suffix=.pdf)
times=$(mktemp)
# Microseconds of one run of the program $1 over the rows.
print_rows() {
  local start end
  start=$(date +%s%N)
  "$1" --print-to-pdf "$2" "$rows_1k" 2>/dev/null || true  # a few rows are refused on purpose
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 ))"
}
for _ in $(seq "$runs"); do
  echo "varnolix $(print_rows "$dir/app/Varnolix" "$pdf")" >>"$times"
  if [ -n "$baseline" ]; then echo "baseline $(print_rows "$baseline" "$pdf.baseline")" >>"$times"; fi
done
printf '   %-40s %9s %9s %9s\n' "" min median max
printf '   %-40s %s\n' "per sheet (ms)" "$(awk '$1 == "varnolix" { print $2 / 1000 / 1000 }' "$times" | spread %9.2f)"
echo "   $(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages/ { print $2 }') pages, $(du -h "$pdf" | cut -f1)"
if [ -n "$baseline" ]; then
  printf '   %-40s %s\n' "baseline: per sheet (ms)" "$(awk '$1 == "baseline" { print $2 / 1000 / 1000 }' "$times" | spread %9.2f)"
  echo "   baseline: $(pdfinfo "$pdf.baseline" 2>/dev/null | awk '/^Pages/ { print $2 }') pages, $(du -h "$pdf.baseline" | cut -f1)"
  # Each run over the baseline run after it, so that a drift in the machine's speed cancels out.
  printf '   %-40s %s\n' "ratio varnolix/baseline" \
    "$(awk '$1 == "varnolix" { v = $2 } $1 == "baseline" { printf "%.4f\n", v / $2 }' "$times" | spread %9.2f)"
fi
rm -f "$pdf" "$pdf.baseline" "$times"
