#!/usr/bin/env bash
# The headless export of tarvosk.exe under Wine against the Linux build's, on the same plans:
# every pixel outside the texts the same, the texts inside their boxes; BMP, JPEG and PNG decode;
# one format's pixels are the other lossless format's; a Cyrillic path with blanks works.
#   usage: export_test.sh TARVOSK.EXE SAMPLE_DOCUMENTS.EXE LINUX_TARVOSK
set -u
exe=$1 samples=$2 linux=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
for tool in wine convert identify python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$linux" ] || { echo "SKIP: no Linux build at $linux to compare with (tools/test.sh builds it first)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/docs" "$work/win" "$work/lin"
fail() { echo "FAIL: $*"; failed=1; }
failed=0
run() { "$root/tools/wine-run.sh" "$@"; }

run "$samples" "$work/docs" || { echo "FAIL: the sample plans were not written"; exit 1; }
for doc in "$work"/docs/*.tarvosk; do
  name=$(basename "$doc" .tarvosk)
  for ext in png bmp jpg; do
    start=$(date +%s%N)
    run "$exe" --export "$work/win/$name.$ext" "$doc" || fail "$name.$ext: the Windows export failed"
    took=$(( ($(date +%s%N) - start) / 1000000 ))
    [ "$ext" = png ] && echo "$name: exported under Wine in $took ms"
    QT_QPA_PLATFORM=offscreen "$linux" --export "$work/lin/$name.$ext" "$doc" 2>/dev/null ||
      fail "$name.$ext: the Linux export failed"
    identify "$work/win/$name.$ext" >/dev/null 2>&1 || fail "$name.$ext: the Windows picture does not decode"
  done
  convert "$work/win/$name.png" "$work/win/$name.ppm" && convert "$work/lin/$name.png" "$work/lin/$name.ppm" ||
    { fail "$name: cannot decode the PNGs"; continue; }
  echo -n "$name: "
  python3 "$here/compare_exports.py" "$work/win/$name.ppm" "$work/lin/$name.ppm" || fail "$name: the pictures differ beyond their texts"
  # the BMP holds the PNG's very pixels; the JPEG is close to them
  [ "$(compare -metric AE "$work/win/$name.png" "$work/win/$name.bmp" null: 2>&1)" = 0 ] ||
    fail "$name: the BMP's pixels are not the PNG's"
  rmse=$(compare -metric RMSE "$work/win/$name.png" "$work/win/$name.jpg" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  python3 -c "import sys; sys.exit(0 if float('$rmse') < 0.05 else 1)" || fail "$name: the JPEG is far from the plan ($rmse)"
done

# A document and a picture in a folder with a blank and Russian letters, as users name them.
mkdir -p "$work/Мои планы"
cp "$work/docs/five_bells.tarvosk" "$work/Мои планы/звонница.tarvosk"
run "$exe" --export "$work/Мои планы/план.png" "$work/Мои планы/звонница.tarvosk" ||
  fail "the export to a Russian path failed"
cmp -s "$work/Мои планы/план.png" "$work/win/five_bells.png" || fail "the Russian path's picture differs"

[ $failed = 0 ] && echo "export passed"
exit $failed
