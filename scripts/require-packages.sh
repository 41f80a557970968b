# Sourced by the run and test scripts: installs the Debian packages a step needs.
# As root it runs apt-get; otherwise it prints the exact command and stops.

require_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -q &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  else
    echo "These Debian packages are missing. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
}

# What building the library, the batch tool and the desktop program needs.
BUILD_PACKAGES=(g++ make cmake pkgconf qt6-base-dev qt6-qpa-plugins libglib2.0-dev fonts-dejavu-core fonts-noto-core)
# What the tests need besides: GoogleTest, the locale sources for a comma-decimal locale,
# and the checkers of the install: AppStream and desktop entry validators, man and groff
# for the man pages, dpkg-dev, file and lintian for building and checking the packages.
TEST_PACKAGES=(libgtest-dev libgmock-dev locales appstream desktop-file-utils man-db groff-base dpkg-dev file lintian
  poppler-utils)
# What the fuzz targets need: clang and its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# What the Windows build needs: the cross compiler, Wine to run what it builds, GoogleTest's
# sources to build for Windows, and for the zip handed out: zip, and mandoc for the manual
# page as HTML.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 googletest zip mandoc)
