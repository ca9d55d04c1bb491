#!/bin/sh
# Installs the Debian packages that building, testing and running need
# (gdal-bin: GDAL's ogrinfo, the second reader of the plan drawing).
# Packages already installed are skipped, so a second run is quick.
# Usage: tools/install-deps.sh [--runtime | --windows]
#   --runtime: only what ./run needs
#   --windows: only what tools/windows-check.sh needs (mingw-w64 with posix
#              threads, wine64, GoogleTest's sources for the cross build)
set -eu

packages="cmake g++ make libgtest-dev locales python3 python3-ezdxf
  qt6-base-dev libgl-dev fonts-ipafont-gothic clang-14 libclang-rt-14-dev libdxflib-dev
  xvfb xauth qt6-translations-l10n libxml2-utils libxml2-dev poppler-utils gdal-bin"
# The Debian packages and their checks (dpkg-buildpackage with debhelper,
# lintian, hardening-check from devscripts, the desktop entry, the AppStream
# data and the MIME types), and the installation test's C program.
packages="$packages dpkg-dev debhelper devscripts lintian desktop-file-utils appstream shared-mime-info pkgconf"
if [ "${1:-}" = "--runtime" ]; then
  packages="cmake g++ make libgtest-dev qt6-base-dev libgl-dev fonts-ipafont-gothic libdxflib-dev qt6-translations-l10n
    libxml2-dev"
fi
if [ "${1:-}" = "--windows" ]; then
  # The -posix compilers are named explicitly by the toolchain files, so the
  # -win32 variants are not needed (installing them re-points the plain names).
  packages="cmake g++ make python3 libgtest-dev googletest
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine64"
fi

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages:$missing" >&2
    echo "Run as root (or install them with apt-get) and try again." >&2
    exit 1
  fi
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
fi

# A locale with a decimal comma, for the tests that prove numbers keep their ".".
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  if [ "$(id -u)" = 0 ]; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "warning: de_DE.UTF-8 not generated" >&2
  fi
fi
