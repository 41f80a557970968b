#!/usr/bin/env bash
# Checks the staged man pages: each renders without a warning, carries the project
# version, and varnolix-assess(1) names every option and column that --help names.
# Usage: man_pages.sh PREFIX VARNOLIX_ASSESS
set -euo pipefail
. "$(dirname "$0")/common.sh"
prefix=$1 tool=$2
need_tool man man-db
need_tool groff groff-base

version=$("$tool" --version | awk '{ print $2 }')
render() { LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null; }
plain() { LC_ALL=C.UTF-8 MANWIDTH=80 man -E ascii -l "$1" 2>/dev/null | sed 's/.\x08//g'; }

pages=("$prefix"/share/man/man1/*.1.gz)
[ -f "${pages[0]}" ] || fail "no man pages in $prefix/share/man/man1"
for page in "${pages[@]}"; do
  warnings=$(render "$page")
  [ -z "$warnings" ] || fail "$(basename "$page") renders with warnings: $warnings"
  plain "$page" | tail -n 1 | grep -q "Varnolix $version" || fail "$(basename "$page") is not of version $version"
done

page_text=$(plain "$prefix/share/man/man1/varnolix-assess.1.gz")
help_text=$("$tool" --help)
options=$(grep -oE -- '(^| )--?[a-z][a-z-]*' <<<"$help_text" | tr -d ' ' | sort -u)
# The column lines of --help, the output columns and the exit statuses.
columns=$(awk '/^Columns/ { on = 1; next } /^Any other column/ { on = 0 } on { print $1 }' <<<"$help_text")
outputs=$(awk '/^Output:/ { getline; gsub(/,/, ""); print }' <<<"$help_text")
statuses=$(awk '/^Exit status:/ { on = 1; next } on && /^  [0-9] / { print $1 }' <<<"$help_text")
[ -n "$options" ] && [ -n "$columns" ] && [ -n "$outputs" ] && [ -n "$statuses" ] ||
  fail "could not read the options, columns and exit statuses from --help"
for word in $options $columns $outputs; do
  grep -qwe "$word" <<<"$page_text" || fail "varnolix-assess(1) does not mention '$word'"
done
exit_section=$(awk '/^EXIT STATUS/ { on = 1; next } /^[A-Z]/ { on = 0 } on' <<<"$page_text")
for status in $statuses; do
  grep -qE "^ +$status( |$)" <<<"$exit_section" || fail "varnolix-assess(1) does not explain exit status $status"
done
echo "${#pages[@]} man pages render cleanly; varnolix-assess(1) covers $(wc -w <<<"$options $columns $outputs") options and columns"
