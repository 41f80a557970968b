#!/usr/bin/env bash
# Builds the .deb packages with cpack and checks each: the expected files under /usr,
# stripped programs, the control fields, Depends naming the libraries the programs link
# (and no Qt for the batch tool), and no error from lintian.
# Usage: debian_package.sh BUILD_DIR OUT_DIR GUI(ON|OFF) VERSION
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$1 out=$2 gui=$3 version=$4
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev
need_tool file file
need_tool lintian lintian

rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log" >&2; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
packages=(varnolix-assess)
[ "$gui" = ON ] && packages+=(varnolix)
[ "$(find "$out" -maxdepth 1 -name '*.deb' | wc -l)" -eq ${#packages[@]} ] || fail "cpack did not make ${packages[*]}"

for package in "${packages[@]}"; do
  deb="$out/${package}_${version}_${arch}.deb"
  [ -f "$deb" ] || fail "no $(basename "$deb") in $out"
  field() { dpkg-deb -f "$deb" "$1"; }

  expected_files "$gui" "$package" | sed 's|^|usr/|' >"$out/$package.expected"
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort >"$out/$package.packaged"
  same_files "$out/$package.expected" "$out/$package.packaged" "the file list of $package"

  [ "$(field Package)" = "$package" ] || fail "$deb is not named $package"
  [ "$(field Version)" = "$version" ] || fail "$package's version is not $version"
  for name in Maintainer Section Homepage Description; do
    [ -n "$(field "$name")" ] || fail "$package has no $name"
  done
  # Each dependency a package name, with a version bound where dpkg-shlibdeps gives one.
  depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
  required=(libc6 libstdc++6)
  [ "$package" = varnolix ] && required+=(libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-noto-core)
  for dependency in "${required[@]}"; do
    grep -qx "$dependency" <<<"$depends" || fail "$package's Depends lacks $dependency: $(field Depends)"
  done
  if [ "$package" = varnolix-assess ] && grep -qi 'qt' <<<"$depends"; then
    fail "varnolix-assess depends on Qt: $(field Depends)"
  fi
  if [ "$package" = varnolix ]; then
    recommends=$(field Recommends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
    for recommended in qt6-wayland xdg-utils; do
      grep -qx "$recommended" <<<"$recommends" || fail "varnolix's Recommends lacks $recommended: $(field Recommends)"
    done
  fi

  rm -rf "$out/root" && dpkg-deb -x "$deb" "$out/root"
  for program in "$out"/root/usr/bin/*; do
    file -b "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped"
  done
  # Errors only: the maker's own address and licence draw warnings, not errors.
  lintian --fail-on error --tag-display-limit 0 "$deb" >"$out/$package.lintian" 2>&1 ||
    { cat "$out/$package.lintian" >&2; fail "lintian reports errors in $package"; }
  echo "$(basename "$deb"): $(wc -l <"$out/$package.packaged") files, Depends: $(field Depends)"
done
