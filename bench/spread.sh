# Sourced by the benchmark scripts.
# min, median and max of the numbers on standard input, one a line, in FORMAT.
spread() {
  sort -g | awk -v f="${1:-%9.1f}" '{ v[NR] = $1 } END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf f " " f " " f, v[1], m, v[NR] }'
}
