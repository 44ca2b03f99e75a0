#!/usr/bin/env bash
# A Windows user's session with tarvosk.exe under Wine and Xvfb, driven with xdotool: the program
# in a folder whose name has a blank and Russian letters, started as Explorer starts it for a
# double-clicked document (the path unquoted, so split at its blank), with the start-up picture;
# the window's title; the association in the registry; the document saved under a new name
# equal byte for byte; closed with Alt+F4, leaving "view.ini" beside the program; then a start
# with "-ns" that shows no start-up picture.
#   usage: session_test.sh TARVOSK.EXE SAMPLE_DOCUMENTS.EXE
set -u
if [ "${1:-}" != --in-display ]; then
  exe=$(realpath "${1:?usage: session_test.sh TARVOSK.EXE SAMPLE_DOCUMENTS.EXE}")
  samples=$(realpath "${2:?usage: session_test.sh TARVOSK.EXE SAMPLE_DOCUMENTS.EXE}")
  for tool in wine xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  : "${WINEPREFIX:?set WINEPREFIX}"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  # A server number of our own, so a display another program is starting cannot be taken for ours.
  xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24" "$0" --in-display "$exe" "$samples" "$work"
  exit $?
fi

# ---- inside the display ---------------------------------------------------------------------
exe=$2 samples=$3 work=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A Wine server the runs without a display left behind (it may be kept alive) would give this
# session's windows no screen: the session starts one of its own, on this display.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
prog="$work/Программы/Тарвоск 1"
docs="$work/Мои планы"
mkdir -p "$prog" "$docs"
cp "$exe" "$prog/tarvosk.exe"
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
# The document: five bells, as the program writes them (sample_documents).
wine "$samples" "$(winpath "$work")" || { echo "FAIL: the sample plans were not written"; exit 1; }
mv "$work/five_bells.tarvosk" "$docs/звонница.tarvosk"

failed=0
fail() { echo "FAIL: $*"; failed=1; }
pids=()
cleanup() { for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done; wineserver -k 2>/dev/null; }
trap cleanup EXIT
# poll TENTHS COMMAND...: true as soon as COMMAND succeeds, false after TENTHS tenths of a second
poll() {
  local n=$1 i
  shift
  for ((i = 0; i < n; ++i)); do "$@" && return 0; sleep 0.1; done
  return 1
}
main_window() { xdotool search --onlyvisible --name "^Тарвоск 1\.0\.3a - Орвелин" 2>/dev/null | tail -n 1; }
has_main() { [ -n "$(main_window)" ]; }
# The start-up picture: a visible window the size of the picture and its bevel, 454 x 306.
splash_shown() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 454x306' && return 0
  done
  return 1
}
# start ARGS...: starts the program and waits for its window, noting whether the picture showed
start() {
  saw_splash=no
  wine "$prog/tarvosk.exe" "$@" >"$work/program.log" 2>&1 &
  pids+=($!)
  local i
  # Up to three minutes: the first start in a fresh Wine prefix on a loaded machine once took
  # more than one.
  for ((i = 0; i < 1800; ++i)); do
    splash_shown && saw_splash=yes
    has_main && return 0
    sleep 0.1
  done
  return 1
}
ended() { ! kill -0 "${pids[-1]}" 2>/dev/null; }
close() {  # Alt+F4 as a user closes it; no window manager here, so focus it first
  local w
  w=$(main_window)
  xdotool windowfocus --sync "$w" 2>/dev/null
  xdotool key --window "$w" alt+F4
  poll 100 ended
}

# 1. A double-click in Explorer: the path of a document with a blank, unquoted, in two pieces.
docwin=$(winpath "$docs/звонница.tarvosk")
start "${docwin%% *}" "${docwin#* }" || { echo "FAIL: no window"; exit 1; }
[ "$saw_splash" = yes ] || fail "no start-up picture was shown"
title=$(xdotool getwindowname "$(main_window)")
[ "$title" = "Тарвоск 1.0.3a - Орвелин - звонница.tarvosk" ] || fail "the window is titled \"$title\""
# sized to the screen's work area (the whole 1280-pixel width; the height less Wine's frame)
size=$(xdotool getwindowgeometry "$(main_window)" | sed -n 's/.*Geometry: //p')
[ "${size%x*}" = 1280 ] && [ "${size#*x}" -ge 950 ] || fail "the window is $size, not the work area"
# 2. "Сохранить как ...": Ctrl+S, a new name typed into the dialog, Enter.
w=$(main_window)
xdotool windowfocus --sync "$w" 2>/dev/null
sleep 1
xdotool key --window "$w" ctrl+s
sleep 2
saved="$docs/сохранённый план.tarvosk"
dialog=$(xdotool getactivewindow 2>/dev/null || xdotool getwindowfocus)
xdotool key ctrl+a
xdotool type --delay 30 "$(winpath "$saved")"
xdotool key Return
poll 100 test -s "$saved" || fail "the document was not saved from the dialog"
cmp -s "$docs/звонница.tarvosk" "$saved" || fail "the saved document differs from the one opened"
sleep 0.5
title=$(xdotool getwindowname "$(main_window)")
[ "$title" = "Тарвоск 1.0.3a - Орвелин - сохранённый план.tarvosk" ] || fail "after saving the window is titled \"$title\""

# 3. Alt+F4: the program ends without a question and writes view.ini beside itself.
close || fail "the window did not close"
[ -f "$prog/view.ini" ] || fail "view.ini was not written beside the program"
grep -q 'ObjView=1' "$prog/view.ini" || fail "view.ini holds: $(cat "$prog/view.ini")"

# The association, per user, names this very program. Read once the program has ended: a Wine
# tool started while the program starts can stall that start.
# Exported as a .reg file (UTF-16): the console's code page would turn the Russian letters to "?".
wine reg export 'HKCU\Software\Classes\.tarvosk' "$(winpath "$work/assoc.reg")" /y >/dev/null 2>&1
assoc=$(iconv -f UTF-16 -t UTF-8 "$work/assoc.reg" 2>/dev/null | tr -d '\r' | sed 's/\\\\/\\/g')
exe_win=$(winpath "$prog/tarvosk.exe")
grep -qxF "@=\"$exe_win %1\"" <<<"$assoc" || fail "the open command is not \"$exe_win %1\": $assoc"
grep -qxF "@=\"$exe_win,0\"" <<<"$assoc" || fail "the icon is not \"$exe_win,0\": $assoc"

# 4. "-ns": no start-up picture.
start -ns || fail "no window with -ns"
[ "$saw_splash" = no ] && ! splash_shown || fail "the start-up picture was shown with -ns"
title=$(xdotool getwindowname "$(main_window)")
[ "$title" = "Тарвоск 1.0.3a - Орвелин - Без имени" ] || fail "a -ns start is titled \"$title\""
close || fail "the -ns window did not close"

[ $failed = 0 ] && echo "session passed"
exit $failed
