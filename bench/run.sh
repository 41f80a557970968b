#!/usr/bin/env bash
# The varnolix-assess benchmark: builds the tool in Release, makes 1,000,000 varied rows
# with a fixed seed, times the tool beside `wc -l` on the same file (median of several
# runs, output to /dev/null), on its default threads and on one, and measures its peak
# resident memory at 1M and 4M rows.
#
#   bench/run.sh [RUNS]        RUNS defaults to 5
#   BASELINE=PATH bench/run.sh  also times PATH, another build of the tool, in the same run
#
# Everything it makes lives in build/bench; delete that folder to start afresh.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
dir=build/bench
mkdir -p "$dir"

echo "== Building varnolix-assess (Release) in $dir"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVARNOLIX_TESTS=OFF -DVARNOLIX_GUI=OFF >/dev/null
cmake --build "$dir" -j 2 --target varnolix-assess >/dev/null
tool="$dir/cli/varnolix-assess"
"${CXX:-c++}" -std=c++20 -O2 -o "$dir/make_rows" bench/make_rows.cpp
"${CXX:-c++}" -std=c++20 -O2 -o "$dir/launch_timed" bench/launch_timed.cpp

rows_1m="$dir/rows-1m.csv"
rows_4m="$dir/rows-4m.csv"
[ -s "$rows_1m" ] || "$dir/make_rows" 1000000 > "$rows_1m"
[ -s "$rows_4m" ] || "$dir/make_rows" 4000000 > "$rows_4m"
echo "   1M rows: $(du -h "$rows_1m" | cut -f1), 4M rows: $(du -h "$rows_4m" | cut -f1)"

# Median wall-clock seconds of a command over $runs runs, after one run to warm the cache.
median_seconds() {
  "$@" >/dev/null 2>&1 || true
  local times=() start end
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true  # the data holds refused rows on purpose: exit status 1
    end=$(date +%s%N)
    times+=("$(( end - start ))")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%.3f\n", m / 1e9 }'
}

echo "== Time, 1,000,000 rows, median of $runs runs"
wc_s=$(median_seconds wc -l "$rows_1m")
tool_s=$(median_seconds "$tool" "$rows_1m")
single_s=$(median_seconds "$tool" --threads 1 "$rows_1m")
line() {
  awk -v name="$1" -v t="$2" -v w="$wc_s" 'BEGIN {
    printf "   %-28s %7.3f s   %8.0f rows/s   %4.0f ns/row   %5.1f x wc -l\n", name, t, 1e6 / t, t * 1e3, t / w
  }'
}
printf '   %-28s %7.3f s\n' "wc -l" "$wc_s"
line "varnolix-assess" "$tool_s"
line "varnolix-assess --threads 1" "$single_s"
if [ -n "${BASELINE:-}" ]; then
  line "baseline" "$(median_seconds "$BASELINE" "$rows_1m")"
fi

echo "== Peak resident memory of varnolix-assess"
for file in "$rows_1m" "$rows_4m"; do
  for threads in default 1; do
    args=("$file")
    [ "$threads" = default ] || args=(--threads "$threads" "$file")
    # The rows hold refused rows on purpose, so the tool exits with 1.
    kb=$({ "$dir/launch_timed" "$tool" "${args[@]}" 2>&1 >/dev/null || true; } |
      awk '/^launch / { for (i = 2; i < NF; i++) if ($i == "maxrss_kb") print $(i + 1) }')
    awk -v f="$(basename "$file")" -v t="$threads" -v k="$kb" 'BEGIN { printf "   %-12s threads %-8s %6.1f MB\n", f, t, k / 1024 }'
  done
done
