#!/bin/sh
# Builds korvane.dll for 32- and 64-bit Windows with mingw-w64 and proves it
# under Wine, without a Windows machine:
#   1. installs what is missing (tools/install-deps.sh --windows, as root) and
#      fails loudly when it cannot;
#   2. builds build-windows/i686/bin and build-windows/x86_64/bin (korvane.dll,
#      korvane-draw.exe, korvane-route.exe, the header template aln_hdr_.dxf)
#      and the library tests for x86_64;
#   3. checks the 32-bit DLL, which cannot run here: exactly the exports of
#      the interface, undecorated and __stdcall, the message handler of the
#      same convention, and no DLL needed beyond KERNEL32, msvcrt and USER32;
#   4. runs the whole library test program under wine64;
#   5. draws three parameter files and a design file with korvane-draw.exe
#      under wine64 and compares each drawing, and the messages of a failing
#      run, with those of the Linux korvane-draw: byte-identical once CR LF is
#      read as LF, and every Windows line ends in CR LF;
#   6. computes a route (a basic curve, an S joint, an egg curve) with
#      korvane-route.exe under wine64 into every output and compares each
#      with the Linux korvane-route's byte for byte (the J-LandXML but for
#      its time stamp; the plan drawing once CR LF is read as LF, every line
#      ending in CR LF), and the messages of a refused route.
# Exit status 0 only when every step passed; nothing passes by being skipped.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
started=$(date +%s)
jobs=$(nproc 2>/dev/null || echo 2)

fail() {
  echo "windows-check: FAILED: $*" >&2
  exit 1
}
step() { echo "== $* ($(($(date +%s) - started)) s) =="; }

step "packages"
tools/install-deps.sh --windows || fail "the Windows build packages (mingw-w64, wine64) could not be installed"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
for tool in /usr/bin/i686-w64-mingw32-g++-posix /usr/bin/x86_64-w64-mingw32-g++-posix \
            /usr/bin/i686-w64-mingw32-objdump /usr/bin/x86_64-w64-mingw32-objdump "$wine" "$wineserver"; do
  [ -x "$tool" ] || fail "$tool is missing after the installation"
done
[ -f /usr/src/googletest/CMakeLists.txt ] || fail "the GoogleTest sources (/usr/src/googletest) are missing"

launcher=""
if command -v ccache >/dev/null 2>&1; then launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi

for arch in i686 x86_64; do
  step "build for Windows $arch"
  targets="korvane korvane-draw korvane-route"
  [ "$arch" = x86_64 ] && targets="$targets korvane_tests"
  # shellcheck disable=SC2086
  cmake -S . -B "build-windows/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_BUILD_FRONTEND=OFF -DKORVANE_BUILD_FUZZ=OFF -DKORVANE_WERROR=ON \
    $launcher >/dev/null || fail "configuring the $arch build"
  # shellcheck disable=SC2086
  cmake --build "build-windows/$arch" -j "$jobs" --target $targets || fail "building for $arch"
  for file in korvane.dll korvane-draw.exe korvane-route.exe aln_hdr_.dxf; do
    [ -f "build-windows/$arch/bin/$file" ] || fail "build-windows/$arch/bin/$file was not built"
  done
done

step "the Linux drawer for the reference drawings"
if [ -f build/CMakeCache.txt ]; then
  linux_build=build
else
  linux_build=build-windows/linux
  # shellcheck disable=SC2086
  cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_BUILD_FRONTEND=OFF \
    -DKORVANE_BUILD_FUZZ=OFF -DKORVANE_WERROR=ON $launcher >/dev/null || fail "configuring the Linux build"
fi
cmake --build "$linux_build" -j "$jobs" --target korvane korvane-draw korvane-route >/dev/null \
  || fail "building the Linux korvane-draw and korvane-route"
linux_draw="$root/$linux_build/bin/korvane-draw"
linux_route="$root/$linux_build/bin/korvane-route"

step "exports and calling convention of the 32-bit DLL"
python3 tests/windows/check_exports.py i686-w64-mingw32-objdump build-windows/i686/bin/korvane.dll \
  || fail "the exports of build-windows/i686/bin/korvane.dll"
/usr/bin/i686-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I library \
  tests/windows/calling_convention.cpp || fail "the calling convention of the interface on 32-bit Windows"
for file in build-windows/*/bin/korvane.dll build-windows/*/bin/korvane-draw.exe build-windows/*/bin/korvane-route.exe; do
  imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
  for dll in $imports; do
    case $dll in
      KERNEL32.dll | msvcrt.dll | USER32.dll) ;;
      *) fail "$file needs $dll (only KERNEL32, msvcrt and USER32 are allowed)" ;;
    esac
  done
  echo "$file imports: $imports"
done

# Wine in a prefix of its own, without a display (a message box returns at
# once instead of waiting), the 64-bit loader called directly.
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-windows-check-XXXXXX")
export WINEPREFIX="$work/wine" WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
stop_wine() {
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w >/dev/null 2>&1 || true
}
finish() {
  status=$?
  stop_wine
  if [ "$status" = 0 ]; then rm -rf "$work"; else echo "windows-check: the files of this run are in $work" >&2; fi
}
trap finish EXIT
trap 'exit 1' INT TERM
# Wine reads a path as Windows does; Z: is the Linux root.
winpath() { printf 'Z:%s' "$1"; }

step "library tests under wine64"
test_started=$(date +%s)
status=0
(cd build-windows/x86_64 && KORVANE_LONG_RUN_CYCLES=100 timeout 900 "$wine" tests/korvane_tests.exe \
  --gtest_brief=1 --gtest_output="xml:$(winpath "$work/tests.xml")") >"$work/tests.log" 2>&1 || status=$?
stop_wine
echo "wall time $(($(date +%s) - test_started)) s (the first start of Wine prepares its prefix)"
if [ ! -f "$work/tests.xml" ]; then
  tail -n 40 "$work/tests.log"
  fail "the library tests did not run under wine64 (exit status $status)"
fi
python3 tests/windows/gtest_summary.py "$work/tests.xml" \
  DefaultMessageBox.IsModalWithoutOwnerOkOnlyAndCaptionedInCp932 \
  DefaultMessageBox.NullHandlerRestoresTheBox \
  WindowsTextFiles.ParameterFileAndDrawingEndEveryLineInCrLf \
  DrawingFaults.FilesHeldOpenByAnotherProgramAreNotWritten \
  DrawingFaults.OutputPathThatIsAFolderIsLeftAlone \
  DrawingFaults.MissingTemplateLeavesNoFileBehind \
  DrawingFaults.AThousandRunsLeaveNoDescriptorOpen \
  DxfDrawing.NumbersKeepTheirPointUnderADecimalCommaLocale \
  || { grep -v '^\[' "$work/tests.log" | tail -n 60; fail "library tests under wine64"; }
[ "$status" = 0 ] || fail "the test program ended with status $status"

step "the same drawings from korvane-draw.exe and the Linux korvane-draw"
mkdir -p "$work/linux" "$work/windows"
windows_draw="$root/build-windows/x86_64/bin/korvane-draw.exe"
for design in data/sample_design.dat tests/tools/eleven_lanes.dat tests/tools/station_right_curve_down.dat \
              tests/tools/sample.rvd; do
  name=$(basename "$design")
  "$linux_draw" "$root/$design" "$work/linux/$name.dxf" --temp "$work/linux/temp.dxf" \
    || fail "the Linux korvane-draw refused $design"
  timeout 120 "$wine" "$windows_draw" "$(winpath "$root/$design")" "$(winpath "$work/windows/$name.dxf")" \
    --temp "$(winpath "$work/windows/temp.dxf")" || fail "korvane-draw.exe refused $design"
  python3 tests/windows/same_text.py "$work/windows/$name.dxf" "$work/linux/$name.dxf" \
    || fail "the Windows drawing of $design differs from the Linux one"
  echo "$design: $(wc -l <"$work/linux/$name.dxf") lines, identical, CR LF on Windows"
done
# A design that cannot be read: the message goes to stderr on both, no box.
"$linux_draw" "$root/missing.dat" "$work/linux/never.dxf" --temp "$work/linux/temp.dxf" \
  2>"$work/linux/missing.txt" && fail "the Linux korvane-draw accepted a missing design"
timeout 120 "$wine" "$windows_draw" "$(winpath "$root/missing.dat")" "$(winpath "$work/windows/never.dxf")" \
  --temp "$(winpath "$work/windows/temp.dxf")" 2>"$work/windows/missing.txt" \
  && fail "korvane-draw.exe accepted a missing design"
[ -s "$work/linux/missing.txt" ] || fail "the Linux korvane-draw said nothing about a missing design"
python3 tests/windows/same_text.py "$work/windows/missing.txt" "$work/linux/missing.txt" \
  || fail "korvane-draw.exe reports a missing design differently"
echo "missing design: the same message on stderr: $(cat "$work/linux/missing.txt")"
stop_wine

step "the same route from korvane-route.exe and the Linux korvane-route"
windows_route="$root/build-windows/x86_64/bin/korvane-route.exe"
python3 tests/tools/route_reference.py ips worked "$work/worked.csv" cp932 || fail "writing the route's IP table"
# name, zone, speed, widths and an equation through the options (the private settings file)
route_options="--name Route-1 --zone 9 --speed 60 --widths 5.5 6 --equation 300=310"
for side in linux windows; do
  if [ "$side" = linux ]; then
    # shellcheck disable=SC2086
    "$linux_route" "$work/worked.csv" $route_options --table "$work/linux/route.csv" --stakes "$work/linux/stakes.csv" \
      --sima "$work/linux/route.sim" --landxml "$work/linux/route.xml" --report "$work/linux/route.txt" \
      --save "$work/linux/route.rvr" --plan "$work/linux/plan.dxf" --scale 500 \
      || fail "the Linux korvane-route refused the route"
  else
    # An earlier table at the target is replaced.
    printf earlier >"$work/windows/route.csv"
    # shellcheck disable=SC2086
    timeout 120 "$wine" "$windows_route" "$(winpath "$work/worked.csv")" $route_options \
      --table "$(winpath "$work/windows/route.csv")" --stakes "$(winpath "$work/windows/stakes.csv")" \
      --sima "$(winpath "$work/windows/route.sim")" --landxml "$(winpath "$work/windows/route.xml")" \
      --report "$(winpath "$work/windows/route.txt")" --save "$(winpath "$work/windows/route.rvr")" \
      --plan "$(winpath "$work/windows/plan.dxf")" --scale 500 || fail "korvane-route.exe refused the route"
  fi
  sed '2d' "$work/$side/route.xml" >"$work/$side/route-unstamped.xml"
done
for file in route.csv stakes.csv route.sim route-unstamped.xml route.txt route.rvr; do
  cmp "$work/windows/$file" "$work/linux/$file" || fail "the Windows $file differs from the Linux one"
  echo "$file: $(wc -c <"$work/linux/$file") bytes, identical"
done
python3 tests/windows/same_text.py "$work/windows/plan.dxf" "$work/linux/plan.dxf" \
  || fail "the Windows plan drawing differs from the Linux one"
echo "plan.dxf: $(wc -l <"$work/linux/plan.dxf") lines, identical, CR LF on Windows"
# An existing table stays as it was when one output cannot be written.
printf earlier >"$work/windows/kept.csv"
timeout 120 "$wine" "$windows_route" "$(winpath "$work/worked.csv")" --table "$(winpath "$work/windows/kept.csv")" \
  --landxml "$(winpath "$work/windows/no-such-folder/route.xml")" 2>/dev/null \
  && fail "korvane-route.exe wrote into a folder that does not exist"
[ "$(cat "$work/windows/kept.csv")" = earlier ] || fail "korvane-route.exe replaced a table although an output failed"
# A refused route: the same messages on stderr, no message box.
printf '点名,X,Y,R\r\nBP,0,0,\r\nIP1,100,0,60\r\nIP2,100,100,50\r\nEP,0,100,\r\n' | iconv -f UTF-8 -t CP932 >"$work/overlap.csv"
"$linux_route" "$work/overlap.csv" --table "$work/linux/never.csv" 2>"$work/linux/overlap.txt" \
  && fail "the Linux korvane-route accepted overlapping curves"
timeout 120 "$wine" "$windows_route" "$(winpath "$work/overlap.csv")" --table "$(winpath "$work/windows/never.csv")" \
  2>"$work/windows/overlap.txt" && fail "korvane-route.exe accepted overlapping curves"
python3 tests/windows/same_text.py "$work/windows/overlap.txt" "$work/linux/overlap.txt" \
  || fail "korvane-route.exe reports a refused route differently"
echo "refused route: the same message on stderr: $(cat "$work/linux/overlap.txt")"
stop_wine

echo "windows-check: all passed in $(($(date +%s) - started)) s"
