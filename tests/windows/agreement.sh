#!/usr/bin/env bash
# The same inputs through the Linux tool and through the Windows tool under Wine: standard
# output, the output file, standard error and the exit status must agree byte for byte.
# The inputs: the shared rows with LF and CRLF line ends, a byte-order mark, semicolons,
# UTF-16 and a Devanagari name; the golden files (held to their expected output too);
# and what the tool refuses.
#
#   agreement.sh LINUX_TOOL WINDOWS_TOOL SOURCE_DIR WORK_DIR WINE
set -euo pipefail
linux=$1 windows=$2 source=$3 work=$4 wine=$5
[ -x "$linux" ] || { echo "no Linux tool at $linux: build it, or configure without VARNOLIX_LINUX_ASSESS"; exit 1; }
rm -rf "$work" && mkdir -p "$work" && cd "$work"

cp "$source/tests/shared/assessment_rows.csv" lf.csv
sed 's/$/\r/' lf.csv >crlf.csv
{ printf '\xEF\xBB\xBF'; cat crlf.csv; } >bom.csv
sed 's/,/;/g' lf.csv >semicolons.csv
{ printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE crlf.csv; } >utf16.csv
{ printf 'नाम,'; head -n 1 lf.csv; tail -n +2 lf.csv | sed 's/^/अनीता,/'; } >वेतन.csv
printf 'basic_pm\n1000\n"10"00\n2000\n' >broken.csv
printf 'id,basic\n1,2\n' >no_basic.csv
: >empty.csv
golden=$source/tests/cli/golden
cp "$golden"/*.csv .

# Arguments, then '<' and the file on standard input (else none).
cases=(
  "lf.csv" "--explain lf.csv" "crlf.csv" "--explain crlf.csv" "bom.csv" "--explain bom.csv" "semicolons.csv"
  "utf16.csv" "वेतन.csv" "--explain वेतन.csv" "--threads 3 crlf.csv" "< crlf.csv" "--explain - < bom.csv"
  "-o out.csv crlf.csv" "-o out.csv < वेतन.csv"
  "assessed.csv" "--lenient lenient.csv" "--explain explained.csv" "crlf_bom.csv"
  "broken.csv" "no_basic.csv" "empty.csv" "नहीं.csv" "-o crlf.csv < crlf.csv" "-o /nonexistent/out.csv lf.csv"
  "--threads" "--help" "--version"
)

# Runs one case with the tool given first; leaves TAG.out, TAG.err, TAG.status, TAG.file.
run() {
  local tag=$1 args=$2 input=/dev/null
  shift 2
  if [[ $args == *'<'* ]]; then
    input=$(echo "${args#*<}" | xargs)
    args=${args%<*}
  fi
  rm -f out.csv
  read -r -a words <<<"$args"
  set +e
  timeout 60 "$@" "${words[@]}" <"$input" >"$tag.out" 2>"$tag.err"
  echo $? >"$tag.status"
  set -e
  if [ -e out.csv ]; then mv out.csv "$tag.file"; else : >"$tag.file"; fi
}

failures=0
for args in "${cases[@]}"; do
  run linux "$args" "$linux"
  run windows "$args" "$wine" "$windows"
  for part in status out err file; do
    if ! cmp -s "linux.$part" "windows.$part"; then
      echo "FAIL [$args]: the $part differs (Linux, then Windows):"
      diff <(head -c 2000 "linux.$part" | od -c | head -n 20) <(head -c 2000 "windows.$part" | od -c | head -n 20) || true
      failures=$((failures + 1))
    fi
  done
  last=${args##* }
  if [ -f "$golden/${last%.csv}.expected" ] && ! cmp -s windows.out "$golden/${last%.csv}.expected"; then
    echo "FAIL [$args]: not the expected output"
    failures=$((failures + 1))
  fi
done
echo "${#cases[@]} runs compared, $failures differences"
[ "$failures" -eq 0 ]
