#!/usr/bin/env bash
# The zip handed out: the four files in it, the README's CRLF line ends, and two packings
# of one build giving the same bytes whatever the umask and the time zone.
#
#   zip.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -euo pipefail
source=$1 build=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work"
(umask 022 && TZ=UTC "$source/scripts/windows-zip.sh" --from "$build" first >/dev/null)
(umask 077 && TZ=Asia/Kolkata "$source/scripts/windows-zip.sh" --from "$build" second >/dev/null)
cmp first/*.zip second/*.zip
names=$(unzip -Z1 first/*.zip | tr '\n' ' ')
[ "$names" = "LICENSE.txt README.txt varnolix-assess.exe varnolix-assess.html " ] || { echo "holds: $names"; exit 1; }
[ "$(unzip -p first/*.zip README.txt | grep -vc $'\r$')" = 0 ] || { echo "README.txt has a line without CR"; exit 1; }
echo "Two packings alike: $(cd first && ls ./*.zip)"
