#!/bin/sh
# The installation, used as a user would: the build is installed into a
# temporary prefix, a C program is built against the installed header and
# pkg-config file, the development files are taken away (the programs need
# the runtime library only) and the prefix is moved elsewhere and made
# read-only. From there korvane-draw draws the sample design byte for byte as
# the build's korvane-draw does (also when copied away from the prefix, with
# the library found by the ordinary search) and Rovena starts and stays up;
# neither writes anything into the prefix. As root (where a read-only mode
# stops nothing) the programs run as the user nobody, and the prefix is
# compared file by file before and after.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR LIBDIR WITH_ROVENA(0|1)
set -eu
build=$1
source=$2
libdir=$3
with_rovena=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-install.XXXXXX")
staged=$work/staged
prefix=$work/prefix

# The PIDs of the processes that run a program of the prefix: those this
# test started, as the prefix is a folder of its own.
prefix_processes() {
  for exe in /proc/[0-9]*/exe; do
    case "$(readlink "$exe" 2> /dev/null)" in
      "$prefix"/*)
        proc=${exe#/proc/}
        echo "${proc%/exe}"
        ;;
    esac
  done
}
cleanup() {
  for left in $(prefix_processes); do
    kill -KILL "$left" 2> /dev/null || true
  done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# A timeout's signal ends the test through the same clean-up.
trap 'exit 143' HUP INT TERM
chmod 755 "$work"
out=$work/out # the user's own folder: drawings, home, runtime and temporary folders
mkdir -p "$out/home" "$out/runtime" "$out/tmp"
chmod 700 "$out/runtime"

echo "== install into $staged"
cmake --install "$build" --prefix "$staged" > "$work/install.log" || {
  cat "$work/install.log"
  fail "cmake --install"
}

expected="bin/korvane-draw bin/korvane-route include/korvane.h $libdir/libkorvane.so $libdir/pkgconfig/korvane.pc
  share/rovena/aln_hdr_.dxf share/rovena/sample_design.dat share/rovena/sample_route.rvr
  share/man/man1/korvane-draw.1 share/man/man1/korvane-route.1"
if [ "$with_rovena" = 1 ]; then
  expected="$expected bin/rovena share/rovena/rovena-help.html share/man/man1/rovena.1
    share/applications/jp.rovena.Rovena.desktop share/icons/hicolor/scalable/apps/jp.rovena.Rovena.svg
    share/icons/hicolor/128x128/apps/jp.rovena.Rovena.png share/metainfo/jp.rovena.Rovena.metainfo.xml
    share/mime/packages/jp.rovena.Rovena.xml"
fi
for f in $expected; do
  [ -e "$staged/$f" ] || fail "not installed: $f"
done
cmp "$source/data/aln_hdr_.dxf" "$staged/share/rovena/aln_hdr_.dxf"
cmp "$source/data/sample_design.dat" "$staged/share/rovena/sample_design.dat"
cmp "$source/data/sample_route.rvr" "$staged/share/rovena/sample_route.rvr"
if command -v man > /dev/null; then
  for page in "$staged"/share/man/man1/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null) || fail "man $page"
    [ -z "$warnings" ] || fail "the manual page $page: $warnings"
  done
fi
if [ "$with_rovena" = 1 ]; then
  if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$staged/share/applications/jp.rovena.Rovena.desktop" || fail "desktop entry"
  fi
  if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$staged/share/metainfo/jp.rovena.Rovena.metainfo.xml" || fail "metainfo"
  fi
  if command -v update-mime-database > /dev/null; then
    # The file types the desktop entry opens are those the MIME definition
    # gives, each with its file name pattern.
    mkdir -p "$work/mime/packages"
    cp "$staged/share/mime/packages/jp.rovena.Rovena.xml" "$work/mime/packages/"
    update-mime-database "$work/mime" || fail "MIME definition"
    grep -qxF "50:application/x-rovena-design:*.rvd" "$work/mime/globs2" || fail "no *.rvd in the MIME database"
    grep -qxF "50:application/x-rovena-route:*.rvr" "$work/mime/globs2" || fail "no *.rvr in the MIME database"
    types=$(sed -n 's/^MimeType=//p' "$staged/share/applications/jp.rovena.Rovena.desktop" | tr ';' ' ')
    [ -n "$types" ] || fail "the desktop entry opens no file type"
    for type in $types; do
      [ -f "$work/mime/$type.xml" ] || fail "the desktop entry names $type, which the MIME definition lacks"
    done
  fi
fi

echo "== a C program built with the installed header and pkg-config file"
if command -v cc > /dev/null && command -v pkg-config > /dev/null; then
  export PKG_CONFIG_PATH="$staged/$libdir/pkgconfig"
  [ "$(pkg-config --variable=prefix korvane)" = "$staged" ] || fail "korvane.pc names another prefix"
  cat > "$work/host.c" << 'HOST'
#include <stdio.h>
#include <korvane.h>
int main(int argc, char **argv) {
    const int checked = argc == 2 ? data_chekvb(argv[1]) : -1;
    printf("%d\n", checked);
    return 0;
}
HOST
  # shellcheck disable=SC2046
  cc -std=c99 -Wall -Wextra -Wpedantic -Werror -o "$work/host" "$work/host.c" $(pkg-config --cflags --libs korvane)
  checked=$(LD_LIBRARY_PATH="$staged/$libdir" "$work/host" "$staged/share/rovena/sample_design.dat")
  [ "$checked" = 1 ] || fail "data_chekvb through the installed library gave $checked"
else
  echo "skipped: no cc or no pkg-config"
fi

# The programs run with the runtime library alone, as a system without the
# development files has it.
rm "$staged/include/korvane.h" "$staged/$libdir/libkorvane.so" "$staged/$libdir/pkgconfig/korvane.pc"

echo "== moved to $prefix and made read-only"
mv "$staged" "$prefix"
chmod -R a-w "$prefix"
runner=""
if [ "$(id -u)" = 0 ]; then
  command -v setpriv > /dev/null || fail "setpriv is needed to run the programs as nobody"
  chown -R 65534:65534 "$out"
  runner="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
snapshot() {
  (cd "$prefix" && find . -printf '%p %y %m %s %T@ %l\n' | LC_ALL=C sort &&
    find . -type f -exec sha256sum {} + | LC_ALL=C sort)
}
snapshot > "$work/before"

# Runs a program of the prefix as the user, in the user's folder.
as_user() {
  # shellcheck disable=SC2086
  (cd "$out" && exec $runner env HOME="$out/home" XDG_RUNTIME_DIR="$out/runtime" TMPDIR="$out/tmp" "$@")
}

# Starts the prefix's Rovena offscreen in the user's folder, through the
# command words given first (setpriv ... or none), with its output in LOG.
# The background subshell execs the program, so pid is Rovena's own.
# Usage: start_rovena LOG [RUNNER WORDS...]
start_rovena() {
  log=$1
  shift
  (cd "$out" && exec "$@" env HOME="$out/home" XDG_RUNTIME_DIR="$out/runtime" TMPDIR="$out/tmp" \
    QT_QPA_PLATFORM=offscreen "$prefix/bin/rovena") > "$log" 2>&1 &
  pid=$!
  sleep 2
  kill -0 "$pid" 2> /dev/null && [ "$(prefix_processes)" = "$pid" ] || {
    cat "$log" >&2
    fail "Rovena ended by itself, or its PID is not the one started"
  }
}

# Ends the Rovena started last and checks that no program of the prefix is left.
stop_rovena() {
  kill "$pid"
  wait "$pid" || true
  left=$(prefix_processes)
  [ -z "$left" ] || fail "programs of the prefix still running: $left"
}

echo "== korvane-draw of the prefix draws the sample design"
"$build/bin/korvane-draw" "$source/data/sample_design.dat" "$work/build.dxf" --temp "$work/build-temp.dxf"
as_user "$prefix/bin/korvane-draw" "$prefix/share/rovena/sample_design.dat" "$out/installed.dxf" \
  || fail "installed korvane-draw"
cmp "$work/build.dxf" "$out/installed.dxf" || fail "the installed drawing differs from the build's"

echo "== korvane-draw away from the prefix finds the library through the ordinary search"
cp "$prefix/bin/korvane-draw" "$out/korvane-draw"
as_user env LD_LIBRARY_PATH="$prefix/$libdir" "$out/korvane-draw" "$prefix/share/rovena/sample_design.dat" \
  "$out/searched.dxf" --template "$prefix/share/rovena/aln_hdr_.dxf" || fail "korvane-draw with the library on LD_LIBRARY_PATH"
cmp "$work/build.dxf" "$out/searched.dxf" || fail "the drawing through the ordinary search differs from the build's"

echo "== korvane-route of the prefix computes a route as the build's does"
printf '点名,X,Y,A1,R,A2\nBP,0,0,,,\nIP1,100,100,60,120,60\nEP,100,300,,,\n' > "$work/route.csv"
chmod a+r "$work/route.csv"
"$build/bin/korvane-route" "$work/route.csv" --table "$work/build-route.csv" --plan "$work/build-plan.dxf" \
  || fail "korvane-route of the build"
# The plan takes the header template from the prefix's share/rovena.
as_user "$prefix/bin/korvane-route" "$work/route.csv" --table "$out/installed-route.csv" --plan "$out/installed-plan.dxf" \
  || fail "installed korvane-route"
cmp "$work/build-route.csv" "$out/installed-route.csv" || fail "the installed route table differs from the build's"
cmp "$work/build-plan.dxf" "$out/installed-plan.dxf" || fail "the installed plan drawing differs from the build's"

if [ "$with_rovena" = 1 ]; then
  echo "== Rovena of the prefix starts offscreen and stays up"
  # shellcheck disable=SC2086
  start_rovena "$work/rovena.log" $runner
  stop_rovena
  cat "$work/rovena.log"
  if grep -iqE "error|fatal|critical|cannot|could not" "$work/rovena.log"; then
    fail "Rovena reported a problem"
  fi
  if [ -n "$runner" ]; then
    echo "== Rovena of the prefix run by a user who may write the prefix (root) keeps to the user's folder"
    start_rovena "$work/rovena-root.log"
    stop_rovena
    [ -d "$out/home/.local/share/Rovena/working/1" ] || fail "no working folder in the user's data folder"
  fi
fi

snapshot > "$work/after"
diff "$work/before" "$work/after" || fail "something was written into the prefix"
echo "installed, drawn and started from a read-only prefix"
