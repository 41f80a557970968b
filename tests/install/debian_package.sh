#!/usr/bin/env bash
# Builds the .deb with cpack and checks it: the expected files under /usr, stripped
# programs, the control fields, and Depends naming the libraries the programs link.
# Usage: debian_package.sh BUILD_DIR OUT_DIR GUI(ON|OFF) VERSION
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$1 out=$2 gui=$3 version=$4
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev
need_tool file file

rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log" >&2; fail "cpack failed"; }
packages=("$out"/*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "cpack made no single .deb in $out"
deb=${packages[0]}
[ "$(basename "$deb")" = "varnolix_${version}_$(dpkg --print-architecture).deb" ] || fail "unexpected name $(basename "$deb")"

expected_files "$gui" | sed 's|^|usr/|' >"$out/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort >"$out/packaged"
same_files "$out/expected" "$out/packaged" "the package's file list"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = varnolix ] || fail "the package is not named varnolix"
[ "$(field Version)" = "$version" ] || fail "the package version is not $version"
for name in Maintainer Section Homepage Description; do
  [ -n "$(field "$name")" ] || fail "the package has no $name"
done
# Each dependency a package name, with a version bound where dpkg-shlibdeps gives one.
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
required=(libc6 libstdc++6)
[ "$gui" = ON ] && required+=(libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins)
for package in "${required[@]}"; do
  grep -qx "$package" <<<"$depends" || fail "Depends lacks $package: $(field Depends)"
done

dpkg-deb -x "$deb" "$out/root"
for program in "$out"/root/usr/bin/*; do
  file -b "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped"
done
echo "$(basename "$deb"): $(wc -l <"$out/packaged") files, Depends: $(field Depends)"
