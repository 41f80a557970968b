#!/usr/bin/env bash
# The Windows tool ended while it writes its output file over an earlier one: by Ctrl+C
# (Wine hands SIGINT to the program as the console's Ctrl+C) and by a kill. Either way the
# earlier file stays byte for byte and nothing is left beside it; Ctrl+C ends the tool as
# Windows ends a program on Ctrl+C (STATUS_CONTROL_C_EXIT, of which Linux sees 0x3A).
# Then the Ctrl+C handler alone, on a file that nothing else would remove.
#
#   interruption.sh WINDOWS_TOOL CTRL_C_PROBE WORK_DIR WINE
set -euo pipefail
windows=$1 probe=$2 work=$3 wine=$4
rm -rf "$work" && mkdir -p "$work" && cd "$work"
chunk=$(for _ in $(seq 2000); do printf 'अनीता,10000\n'; done)
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

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
  # The rows stay open meanwhile: Windows runs a Ctrl+C handler beside the program's own
  # threads, which must not see the input end and finish first.
  kill "-$signal" "$tool"
  for ((i = 0; i < 300; i++)); do kill -0 "$tool" 2>/dev/null || break; sleep 0.1; done
  exec 3>&-
  status=0
  wait "$tool" || status=$?
  listing=$(ls -A | tr '\n' ' ')
  [ "$status" = "$expected" ] && [ "$(cat परिणाम.csv)" = earlier ] && [ "$listing" = "errors.txt rows परिणाम.csv " ] ||
    fail "SIG$signal: status $status (expected $expected), left: $listing; output: $(head -c 60 परिणाम.csv); errors: $(cat errors.txt)"
done

rm -f ./*
"$wine" "$probe" half.csv >said.txt &
probe_pid=$!
for ((i = 0; i < 600; i++)); do grep -q marked said.txt && break; sleep 0.1; done
kill -INT "$probe_pid"
status=0
wait "$probe_pid" || status=$?
[ "$status" = 58 ] && [ ! -e half.csv ] || fail "the Ctrl+C handler: status $status, half.csv $(ls half.csv 2>&1)"

[ "$failures" -eq 0 ] && echo "Ended mid-write by Ctrl+C and by a kill: the earlier file kept, nothing left beside it"
