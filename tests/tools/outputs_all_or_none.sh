#!/bin/sh
# korvane-draw writes its drawing, coordinate table and J-LandXML file all or
# none: when one cannot be written the others are not left behind and earlier
# files of the same names keep their bytes; when all are written they replace
# the earlier files (a link keeps pointing at its file, a file keeps its
# permissions) and no temporary file is left beside them.
#   outputs_all_or_none.sh KORVANE-DRAW DESIGN
set -eu
draw=$1
design=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
  echo "outputs_all_or_none: $*" >&2
  exit 1
}
earlier() {
  printf 'earlier drawing\n' >"$dir/real.dxf"
  ln -sf real.dxf "$dir/out.dxf"
  printf 'earlier table\n' >"$dir/out.csv"
  chmod 640 "$dir/out.csv"
}
unchanged() {
  [ "$(cat "$dir/real.dxf")" = "earlier drawing" ] || fail "$1: the earlier drawing was changed"
  [ "$(cat "$dir/out.csv")" = "earlier table" ] || fail "$1: the earlier table was changed"
}
only() {
  found=$(cd "$dir" && ls -A | tr '\n' ' ')
  [ "$found" = "$1" ] || fail "files left: $found (expected $1)"
}
set -- "$design" "$dir/out.dxf" --bp -1234.5678 5678.9012 --ip -1100.0000 5800.0000 --ep -1000.0000 5700.0000 \
  --zone 9 --coordinates "$dir/out.csv"

# The J-LandXML file cannot be written: its folder is missing.
earlier
if "$draw" "$@" --landxml "$dir/missing/out.xml" 2>"$dir/err"; then fail "a failed J-LandXML reported as success"; fi
grep -q "ファイル書き込みできません" "$dir/err" || fail "no message for the J-LandXML file"
unchanged "J-LandXML failed"
only "err out.csv out.dxf real.dxf "

# The drawing cannot be made: its header template is missing.
if "$draw" "$@" --landxml "$dir/out.xml" --template "$dir/none.dxf" 2>"$dir/err"; then
  fail "a failed drawing reported as success"
fi
unchanged "drawing failed"
only "err out.csv out.dxf real.dxf "

# Everything written.
"$draw" "$@" --landxml "$dir/out.xml" 2>"$dir/err" || fail "the full run failed: $(cat "$dir/err")"
[ -L "$dir/out.dxf" ] || fail "the link to the drawing was replaced"
tail -n 1 "$dir/real.dxf" | grep -q EOF || fail "the drawing was not written through the link"
head -c 3 "$dir/out.csv" | od -An -tx1 | grep -q "93 5f 96" || fail "the table was not written"
grep -q "<Alignment" "$dir/out.xml" || fail "the J-LandXML file was not written"
[ "$(stat -c %a "$dir/out.csv")" = 640 ] || fail "the table lost its permissions"
only "err out.csv out.dxf out.xml real.dxf "
