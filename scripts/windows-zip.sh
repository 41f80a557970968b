#!/usr/bin/env bash
# Builds varnolix-assess for Windows (cmake/mingw-w64.cmake, Release) and packs what a
# clerk unzips: the .exe, a README in plain text with CRLF line ends, the manual page as
# HTML and the licence, in varnolix-assess-VERSION-windows-x86_64.zip. Two runs give the
# same bytes: every file's time is SOURCE_DATE_EPOCH (by default the last commit's), the
# names go in sorted, and zip stores no owner, time zone or permission of the machine.
#
#   scripts/windows-zip.sh                      # build in build/windows-zip and pack there
#   scripts/windows-zip.sh --from BUILD OUT     # pack what the Windows build BUILD has built
set -euo pipefail
from=
if [ "${1:-}" = --from ]; then
  from=$(realpath "$2") out=$(realpath -m "$3")
fi
cd "$(dirname "$0")/.."
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}

if [ -n "$from" ]; then
  build=$from
else
  . scripts/require-packages.sh
  require_packages cmake make "${WINDOWS_PACKAGES[@]}"
  build=build/windows-zip out=build/windows-zip
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DVARNOLIX_GUI=OFF -DVARNOLIX_TESTS=OFF -DVARNOLIX_WERROR=ON >/dev/null
  cmake --build "$build" -j "$(nproc)" --target varnolix-assess >/dev/null
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=varnolix-assess-$version-windows-x86_64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip" && mkdir -p "$stage"

x86_64-w64-mingw32-strip -o "$stage/varnolix-assess.exe" "$build/cli/varnolix-assess.exe"
# Only Windows' own libraries may be named: the .exe is all a clerk gets.
if x86_64-w64-mingw32-objdump -p "$stage/varnolix-assess.exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE '^(kernel32|msvcrt|ucrtbase|api-ms-win-.*|advapi32|shell32|user32|bcrypt|ntdll)\.dll$'; then
  echo "varnolix-assess.exe needs the DLLs above beside it" >&2
  exit 1
fi
mandoc -T html -W warning,stop "$build/man/varnolix-assess.1" >"$stage/varnolix-assess.html"
sed "s/@VERSION@/$version/" packaging/windows-readme.txt | sed 's/$/\r/' >"$stage/README.txt"
sed 's/$/\r/' packaging/copyright >"$stage/LICENSE.txt"

cd "$stage"
chmod 644 ./*
touch -d "@$SOURCE_DATE_EPOCH" ./*
ls | LC_ALL=C sort | TZ=UTC zip -X -D -q "../$name.zip" -@
echo "$out/$name.zip: $(du -k "../$name.zip" | cut -f1) kB"
