#!/usr/bin/env bash
# Builds the two Debian packages twice, in two build folders, and checks that the two
# builds give the same bytes; then installs each package alone, and both together, into
# a fresh Debian 12 root (debootstrap, as root) and runs what it installed there. The
# batch tool alone must bring in no Qt; the program alone prints a sheet to PDF there,
# with no display. Not part of the test command: it downloads a
# Debian system and takes some minutes.
#
#   scripts/check-packages.sh            # everything
#   ROOT=/var/tmp/bookworm scripts/check-packages.sh   # keep the debootstrapped root there
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/require-packages.sh
require_packages "${BUILD_PACKAGES[@]}" dpkg-dev file debootstrap
[ "$(id -u)" -eq 0 ] || { echo "Installing into a fresh root needs root (chroot)." >&2; exit 1; }

work=build/packages-check
mkdir -p "$work"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

for n in 1 2; do
  echo "== Build $n"
  cmake -S . -B "$work/build$n" -DCMAKE_BUILD_TYPE=Release -DVARNOLIX_TESTS=OFF >/dev/null
  cmake --build "$work/build$n" -j "$(nproc)" >/dev/null
  rm -rf "$work/debs$n"
  cpack --config "$work/build$n/CPackConfig.cmake" -B "$work/debs$n" >/dev/null
done
(cd "$work/debs1" && sha256sum ./*.deb) >"$work/sums1"
(cd "$work/debs2" && sha256sum ./*.deb) >"$work/sums2"
if diff "$work/sums1" "$work/sums2"; then
  echo "Two builds give the same packages:"
  sed 's/^/  /' "$work/sums1"
else
  echo "FAIL: the two builds differ" >&2
  exit 1
fi
for deb in "$work"/debs1/*.deb; do
  echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) kB, Depends: $(dpkg-deb -f "$deb" Depends)"
done

root=${ROOT:-$work/bookworm}
if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "== Debootstrapping Debian 12 into $root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$work/debootstrap.log" 2>&1
fi

# Installs the given packages into a copy of the fresh root, then runs `check` there.
try_install() {
  local name=$1 check=$2
  shift 2
  local fresh="$work/root-$name"
  rm -rf "$fresh" && cp -a "$root" "$fresh"
  mkdir -p "$fresh/tmp/debs"
  cp "$@" "$fresh/tmp/debs/"
  mount --bind /proc "$fresh/proc"
  trap 'umount "$fresh/proc" 2>/dev/null || true' RETURN
  cp /etc/resolv.conf "$fresh/etc/resolv.conf"
  chroot "$fresh" /bin/sh -c "apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/debs/*.deb >/tmp/install.log 2>&1 || { cat /tmp/install.log; exit 1; }"
  chroot "$fresh" /bin/sh -c "$check"
  echo "  $name: installed $(chroot "$fresh" dpkg-query -W -f '${Package}\n' | wc -l) packages in all; checked"
}

assess=$(ls "$work"/debs1/varnolix-assess_*.deb)
program=$(ls "$work"/debs1/varnolix_*.deb)
echo "== Installing into fresh Debian 12 roots"
try_install assess-alone \
  'printf "basic_pm\n10000\n" | varnolix-assess | grep -q 12540.00 && test -f /usr/share/man/man1/varnolix-assess.1.gz &&
   ! dpkg-query -W -f "\${Package}\n" | grep -q "^libqt6"' \
  "$assess"
try_install program-alone \
  'test -f /usr/share/doc/varnolix/manual.html && ! ldd /usr/bin/Varnolix | grep -q "not found" &&
   test -f /usr/share/fonts/truetype/noto/NotoSansDevanagari-Regular.ttf &&
   ! test -e /usr/bin/varnolix-assess && printf "name,basic_pm\nAsha,50000\n" >/tmp/pay.csv &&
   Varnolix --print-to-pdf /tmp/pay.pdf /tmp/pay.csv && test -s /tmp/pay.pdf' \
  "$program"
try_install both \
  'printf "basic_pm\n10000\n" | varnolix-assess | grep -q 12540.00 && ! ldd /usr/bin/Varnolix | grep -q "not found"' \
  "$assess" "$program"
echo "All package checks passed."
