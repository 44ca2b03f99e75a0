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

# The true-scale sheet: the same words, and a page that looks the same (the glyphs are laid out
# by each system's font engine, so a text may shift by a fraction of a point).
if command -v pdftoppm >/dev/null && command -v pdftotext >/dev/null; then
  doc="$work/docs/eight_sided.tarvosk"
  run "$exe" --export "$work/win/sheet.pdf" "$doc" || fail "the Windows sheet failed"
  QT_QPA_PLATFORM=offscreen "$linux" --export "$work/lin/sheet.pdf" "$doc" 2>/dev/null || fail "the Linux sheet failed"
  # every letter the same number of times (the order of labels that overlap may change)
  letters() { pdftotext "$1" - | tr -d '[:space:]' | grep -o . | sort | uniq -c; }
  diff <(letters "$work/win/sheet.pdf") <(letters "$work/lin/sheet.pdf") >/dev/null || fail "the sheets' texts differ"
  pdftoppm -r 40 -f 1 -l 1 -singlefile -png "$work/win/sheet.pdf" "$work/win/sheet"
  pdftoppm -r 40 -f 1 -l 1 -singlefile -png "$work/lin/sheet.pdf" "$work/lin/sheet"
  ae=$(compare -metric AE -fuzz 10% "$work/win/sheet.png" "$work/lin/sheet.png" null: 2>&1)
  total=$(identify -format '%[fx:w*h]' "$work/lin/sheet.png")
  echo "sheet: $ae of $total pixels differ"
  python3 -c "import sys; sys.exit(0 if float('$ae') < 0.02 * float('$total') else 1)" || fail "the sheets' pages differ"
  run "$exe" --export "$work/win/bill.csv" "$doc" || fail "the Windows bill failed"
  QT_QPA_PLATFORM=offscreen "$linux" --export "$work/lin/bill.csv" "$doc" 2>/dev/null || fail "the Linux bill failed"
  cmp -s "$work/win/bill.csv" "$work/lin/bill.csv" || fail "the bills' CSV differ"
fi

# A document and a picture in a folder with a blank and Russian letters, as users name them.
mkdir -p "$work/Мои планы"
cp "$work/docs/five_bells.tarvosk" "$work/Мои планы/звонница.tarvosk"
run "$exe" --export "$work/Мои планы/план.png" "$work/Мои планы/звонница.tarvosk" ||
  fail "the export to a Russian path failed"
cmp -s "$work/Мои планы/план.png" "$work/win/five_bells.png" || fail "the Russian path's picture differs"

[ $failed = 0 ] && echo "export passed"
exit $failed
