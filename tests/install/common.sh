# Shared by the install tests: failing with a reason, and the expected file table.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

need_tool() {
  command -v "$1" >/dev/null || fail "'$1' is missing (Debian package $2; scripts/test.sh installs it)"
}

# The files of expected_files.txt that this build installs, sorted; $1 is ON or OFF for
# the GUI; $2, if given, keeps only those of that package.
expected_files() {
  local table
  table="$(dirname "${BASH_SOURCE[0]}")/expected_files.txt"
  awk -v gui="$1" -v package="${2:-}" '!/^#/ && NF > 0 && ($2 != "varnolix" || gui == "ON") &&
      (package == "" || $2 == package) { print $1 }' "$table" | LC_ALL=C sort
}

# Prints what differs between two sorted lists given as files, and fails if anything does.
same_files() {
  local missing extra
  missing=$(LC_ALL=C comm -23 "$1" "$2")
  extra=$(LC_ALL=C comm -13 "$1" "$2")
  [ -z "$missing" ] || echo "missing: $missing" >&2
  [ -z "$extra" ] || echo "not expected: $extra" >&2
  [ -z "$missing$extra" ] || fail "$3 differs from expected_files.txt"
}
