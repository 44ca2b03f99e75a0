#!/usr/bin/env bash
# Work kept through a crash, with real editor processes under Xvfb driven by xdotool:
#   A opens a document, places a bell and autosaves it to the recovery folder;
#   B, started while A runs, offers nothing and closes without a question, leaving A's entry be;
#   A is killed with SIGKILL: the user's document is byte for byte what it was;
#   C offers the entry, restores it as the unsaved document, saves it under a new name with the
#   very bytes that were autosaved and, closed normally, leaves no recovery file behind.
#   usage: recovery_test.sh PATH/TO/tarvosk
set -u

if [ "${1:-}" != --in-display ]; then
  bin=$(realpath "${1:?usage: recovery_test.sh TARVOSK}")
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
  export TARVOSK_AUTOSAVE_DELAY_MS=300
  # The user's document: default walls, the pedestal turned by 90 degrees, no bell.
  mkdir -p "$HOME" "$work/docs"
  printf '[Object0]\r\nObjName=Стены\r\nObjType=0\r\n[Object1]\r\nObjName=Постамент\r\nObjType=3\r\nPostAngle=90\r\nPostPosition_R=2800,4200\r\n' |
    iconv -f UTF-8 -t CP1251 >"$work/docs/tower.tarvosk"
  cp "$work/docs/tower.tarvosk" "$work/pristine.tarvosk"
  scenario() {
    rm -rf "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$work/restored.tarvosk" "$work"/*.log
    # A server number of our own, so a display another program is starting cannot be taken for ours.
    xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24" "$0" --in-display "$bin" "$work"
  }
  # A run that never got a window (no X server could be started here) is tried once more, then
  # skipped: that says nothing about the editor. Any other failure fails the test.
  scenario; rc=$?
  [ $rc -eq 3 ] && { scenario; rc=$?; }
  [ $rc -eq 3 ] && { echo "SKIP: no X display could be started for the editors"; exit 77; }
  exit $rc
fi

# ---- inside the display ---------------------------------------------------------------------
bin=$2 work=$3
recovery="$XDG_STATE_HOME/tarvosk/recovery"
doc="$work/docs/tower.tarvosk"
started=()
cleanup() { for p in "${started[@]}"; do kill -9 "$p" 2>/dev/null; done; }
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"  # what the screen showed
  for log in "$work"/*.log; do [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; }; done
  exit 1
}

# poll TENTHS COMMAND...: true as soon as COMMAND succeeds, false after TENTHS tenths of a second
poll() {
  local n=$1 i
  shift
  for ((i = 0; i < n; ++i)); do "$@" && return 0; sleep 0.1; done
  return 1
}
alive() { kill -0 "$1" 2>/dev/null; }
gone() { ! alive "$1"; }
main_window() { xdotool search --all --pid "$1" --name "1\.0\.3a" 2>/dev/null | tail -n 1; }
has_main_window() { [ -n "$(main_window "$1")" ]; }
titled() { xdotool search --all --pid "$1" --name "$2" >/dev/null 2>&1; }
# A message box of the editor: a visible window of its own titled just with the program's name.
question_of() { xdotool search --all --onlyvisible --pid "$1" --name "^Тарвоск$" 2>/dev/null | head -n 1; }
has_question() { [ -n "$(question_of "$1")" ]; }
# A visible window of the editor other than its main window: a dialog.
has_dialog() { [ "$(xdotool search --all --onlyvisible --pid "$1" --name . 2>/dev/null | grep -vcx "$(main_window "$1")")" -gt 0 ]; }
entries() { ls "$recovery"/*.tarvosk 2>/dev/null; }
has_entry() { [ -n "$(entries)" ]; }

# start NAME ARGS...: the editor in the background, its pid in $pid; its window in $wid
start() {
  local name=$1
  shift
  "$bin" "$@" >"$work/$name.log" 2>&1 &
  pid=$!
  started+=("$pid")
  poll 600 has_main_window "$pid" || { echo "editor $name made no window"; exit 3; }
  wid=$(main_window "$pid")
}
# The window on top with the pointer woken up on its status bar, ready for clicks and keys.
bring_up() {
  xdotool windowraise "$1" 2>/dev/null
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null
  click 600 1012
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
quit() {  # File > Exit, the last item of the first menu
  xdotool mousemove 25 8 click 1
  sleep 0.5
  xdotool key Up Return
}

# (a) A opens the document and places a bell; the autosave writes it to the recovery folder.
start A "$doc"
pidA=$pid wA=$wid
titled "$pidA" "^Тарвоск 1\.0\.3a - Орвелин - tower\.tarvosk$" ||
  fail "A's window is titled \"$(xdotool getwindowname "$wA")\""
sleep 2  # the first click must not reach a window that is still being mapped
bring_up "$wA"
click 688 120  # palette: bell 20
click 650 450  # placed on the plan
poll 100 titled "$pidA" "tower\.tarvosk\*$" || fail "placing a bell left A's document unchanged"
poll 200 has_entry || fail "A autosaved nothing within 20 s"
entry=$(entries)
[ "$(entries | wc -l)" -eq 1 ] || fail "A keeps more than one entry: $(entries)"
id=$(basename "$entry" .tarvosk)
sleep 1  # one step, one autosave; a late second write would show in the comparisons below
cp "$entry" "$work/autosaved.tarvosk"
grep -q "^ObjType=1" "$work/autosaved.tarvosk" || fail "the autosaved plan holds no bell"
[ "$(cat "$recovery/$id.origin")" = "$doc" ] || fail "the entry names \"$(cat "$recovery/$id.origin")\", not the document"
cmp -s "$doc" "$work/pristine.tarvosk" || fail "the autosave wrote into the user's document"

# (b) B starts while A runs: A's entry is locked, so B offers nothing, and being clean it closes
# without a question. A's entry stays as it was.
start B -ns
pidB=$pid wB=$wid
poll 30 has_question "$pidB" && fail "B offered the entry of the running A"
titled "$pidB" "Без имени$" || fail "B's window is titled \"$(xdotool getwindowname "$wB")\""
bring_up "$wB"
quit
poll 100 gone "$pidB" || { has_question "$pidB" && fail "the clean B asked a question on closing"; fail "B did not close"; }
alive "$pidA" || fail "A is gone"
[ -f "$recovery/$id.origin" ] && [ -f "$recovery/$id.lock" ] || fail "A's entry lost files: $(ls "$recovery")"
[ "$(entries)" = "$entry" ] || fail "the recovery folder changed: $(ls "$recovery")"
cmp -s "$entry" "$work/autosaved.tarvosk" || fail "A's autosaved plan changed while B ran"

# (c) A dies without a word; the user's document is untouched, the entry is left behind.
kill -9 "$pidA"
wait "$pidA" 2>/dev/null  # reaped here, without the shell's report of the kill
cmp -s "$doc" "$work/pristine.tarvosk" || fail "the user's document changed"
cmp -s "$entry" "$work/autosaved.tarvosk" || fail "the entry changed"

# (d) C offers the entry; "Восстановить" is the default button. The plan comes back unsaved
# under the document's name, and saving it writes exactly the autosaved bytes.
start C -ns
pidC=$pid wC=$wid
poll 200 has_question "$pidC" || fail "C did not offer the left entry"
question=$(question_of "$pidC")
xdotool windowactivate --sync "$question" 2>/dev/null || xdotool windowfocus --sync "$question" 2>/dev/null
xdotool key Return
poll 100 titled "$pidC" "^Тарвоск 1\.0\.3a - Орвелин - tower\.tarvosk\*$" ||
  fail "after restoring C's window is titled \"$(xdotool getwindowname "$wC")\""
poll 50 has_question "$pidC" && fail "C offered a second entry"
poll 50 test ! -e "$recovery/$id.tarvosk" || fail "the restored entry was left to be offered again"
cmp -s "$doc" "$work/pristine.tarvosk" || fail "restoring wrote into the user's document"
bring_up "$wC"
click 280 55  # the save button
poll 100 has_dialog "$pidC" || fail "the save button opened no dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$work/restored.tarvosk"
xdotool key Return
poll 100 titled "$pidC" "^Тарвоск 1\.0\.3a - Орвелин - restored\.tarvosk$" ||
  fail "after saving C's window is titled \"$(xdotool getwindowname "$wC")\""
cmp "$work/restored.tarvosk" "$work/autosaved.tarvosk" || fail "the restored plan saved other bytes than were autosaved"
cmp -s "$doc" "$work/pristine.tarvosk" || fail "saving under a new name wrote into the user's document"
bring_up "$wC"
quit
poll 100 gone "$pidC" || { has_question "$pidC" && fail "the saved C asked a question on closing"; fail "C did not close"; }
wait "$pidC" || fail "C ended with status $?"
[ -z "$(ls "$recovery" | grep -v '\.lock$')" ] || fail "recovery files were left after a normal exit: $(ls "$recovery")"
echo "recovery passed"
