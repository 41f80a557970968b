#!/usr/bin/env bash
# The Windows tool ended while it writes its output file over an earlier one: by Ctrl+C
# (Wine hands SIGINT to the program as the console's Ctrl+C) and by a kill. Either way the
# earlier file stays byte for byte and nothing is left beside it; Ctrl+C ends the tool as
# Windows ends a program on Ctrl+C (STATUS_CONTROL_C_EXIT, of which Linux sees 0x3A).
#
#   interruption.sh WINDOWS_TOOL WORK_DIR WINE
set -euo pipefail
windows=$1 work=$2 wine=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work"
chunk=$(for _ in $(seq 2000); do printf 'अनीता,10000\n'; done)

failures=0
for signal_status in INT:58 KILL:137; do
  signal=${signal_status%:*} expected=${signal_status#*:}
  rm -f ./* ./.[!.]* && printf 'earlier\n' >परिणाम.csv && mkfifo rows
  "$wine" "$windows" -o परिणाम.csv rows 2>errors.txt &
  tool=$!
  exec 3>rows
  printf 'name,basic_pm\n' >&3
  # Rows until the tool's own file beside the output is seen growing: it is mid-write.
  for ((i = 0; i < 3000; i++)); do
    [ -n "$(find . -name '.परिणाम.csv.*' -size +0)" ] && break
    printf '%s\n' "$chunk" >&3
  done
  kill "-$signal" "$tool"
  exec 3>&-
  status=0
  wait "$tool" || status=$?
  listing=$(ls -A | tr '\n' ' ')
  if [ "$status" != "$expected" ] || [ "$(cat परिणाम.csv)" != earlier ] || [ "$listing" != "errors.txt rows परिणाम.csv " ]; then
    echo "FAIL on SIG$signal: status $status (expected $expected), left: $listing; errors: $(cat errors.txt)"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "Ended mid-write by SIGINT and SIGKILL: the earlier file kept, nothing left beside it"
