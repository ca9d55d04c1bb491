#!/bin/sh
# Builds the Debian packages the Debian way and checks them: dpkg-buildpackage
# (debhelper, Debian's build flags with every hardening feature) in a copy of
# the source tree, then lintian, which must find no error and no warning, and
# hardening-check on every program and library the packages hold.
# Usage: tools/check-package.sh [OUTPUT_DIR]   (default: build-deb)
# OUTPUT_DIR then holds the .deb files, the .changes and .buildinfo files,
# build.log, lintian.log and the packages' files unpacked in root/.
set -eu
cd "$(dirname "$0")/.."
out=${1:-build-deb}
jobs=$(nproc 2>/dev/null || echo 2)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$out"
mkdir -p "$out/source"
out=$(cd "$out" && pwd)
# The sources as they stand, without the version control and build folders;
# dpkg-buildpackage writes its results beside the tree it builds.
tar -cf - --exclude=./.git --exclude=./build --exclude='./build-*' --exclude="./$(basename "$out")" \
  --exclude=./sample.dxf . |
  tar -xf - -C "$out/source"

# ccache, where a developer has it, makes a second build of the packages quick.
if command -v ccache > /dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
echo "== dpkg-buildpackage -us -uc -b ($out/build.log)"
started=$(date +%s)
(cd "$out/source" && DEB_BUILD_OPTIONS="parallel=$jobs" dpkg-buildpackage -us -uc -b) \
  > "$out/build.log" 2>&1 || {
  tail -n 60 "$out/build.log" >&2
  fail "dpkg-buildpackage"
}
echo "built in $(($(date +%s) - started)) s"
if grep -n "warning:" "$out/build.log" | grep -v "^[0-9]*:dpkg-" > "$out/warnings.log"; then
  cat "$out/warnings.log" >&2
  fail "the packages' build has compiler warnings"
fi

for deb in "$out"/*.deb; do
  echo "== $(basename "$deb")"
  dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
  dpkg-deb --contents "$deb"
  dpkg-deb --extract "$deb" "$out/root"
done

echo "== lintian"
status=0
lintian --fail-on error,warning --display-info "$out"/*.changes > "$out/lintian.log" 2>&1 || status=$?
# lintian says so when it runs as root; that note is not about the packages.
grep -v "running with root privileges" "$out/lintian.log" || true
[ "$status" = 0 ] || fail "lintian (status $status)"
echo "lintian: no errors, no warnings"

echo "== hardening-check"
# Control-flow protection (Intel CET) is not asked for: Debian 12's C start
# files carry no CET marking, so no program linked on it is marked (its own
# /usr/bin/ls neither), whatever the compiler adds.
hardening-check --nocfprotection "$out"/root/usr/bin/* "$out"/root/usr/lib/*/libkorvane.so.1.* ||
  fail "hardening-check"
