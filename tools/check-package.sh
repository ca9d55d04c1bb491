#!/bin/sh
# Makes the Debian package from a finished build and has lintian check it:
# any error fails; warnings and the package's file list are printed.
# Usage: tools/check-package.sh [BUILD_DIR]   (default: build)
set -eu
build=${1:-build}

(cd "$build" && cpack -G DEB > cpack.log) || {
  cat "$build/cpack.log"
  echo "FAIL: cpack -G DEB" >&2
  exit 1
}
deb=$(ls -t "$build"/rovena_*.deb | head -n 1)
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
dpkg-deb --contents "$deb"
echo "== lintian"
status=0
lintian --fail-on error "$deb" > "$build/lintian.log" 2>&1 || status=$?
# lintian says so when it runs as root; that note is not about the package.
grep -v "running with root privileges" "$build/lintian.log" || true
if [ "$status" != 0 ]; then
  echo "FAIL: lintian (status $status)" >&2
  exit 1
fi
echo "lintian: no errors"
