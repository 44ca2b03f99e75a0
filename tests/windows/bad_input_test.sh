#!/usr/bin/env bash
# Bad input to tarvosk.exe under Wine, as on Linux: a missing, an empty and a garbage document,
# an output that cannot be written, a misused option. Each gives a message on standard error and
# its exit status, and leaves no file, not even a half-written one; an old picture stays whole.
#   usage: bad_input_test.sh TARVOSK.EXE
set -u
exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
command -v wine >/dev/null || { echo "SKIP: wine is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failed=0
fail() { echo "FAIL: $*"; failed=1; }
: >empty.tarvosk
head -c 3000 /dev/urandom >garbage.tarvosk
printf '[Object0]\r\nObjType=zero\r\n' >badvalue.tarvosk
printf '[Object0]\r\nObjName=Стены\r\nObjType=0\r\n[Object1]\r\nObjName=Постамент\r\nObjType=3\r\n' |
  iconv -f UTF-8 -t CP1251 >good.tarvosk
mkdir folder.png
printf 'old picture' >old.png

# case: expected status, arguments
check() {
  local want=$1 out=$2
  shift 2
  "$root/tools/wine-run.sh" "$exe" "$@" >stdout.txt 2>stderr.txt
  local rc=$?
  [ $rc -eq "$want" ] || fail "$*: exit status $rc, not $want"
  [ -s stderr.txt ] || fail "$*: no message on standard error"
  [ -n "$out" ] && [ -e "$out" ] && [ ! -d "$out" ] && fail "$*: $out was written"
  ls | grep -q '\.tmp\|~$' && fail "$*: a temporary file was left: $(ls)"
  echo "$* -> $rc: $(head -n 1 stderr.txt)"
}
check 1 a.png --export a.png missing.tarvosk
check 1 b.png --export b.png empty.tarvosk
check 1 c.png --export c.png garbage.tarvosk
check 1 d.png --export d.png badvalue.tarvosk
check 1 "" --export 'Z:\no\such\folder\e.png' good.tarvosk
check 1 "" --export folder.png good.tarvosk
check 1 f.gif --export f.gif good.tarvosk
check 2 "" --no-such-option
check 1 t.png --thumbnail garbage.tarvosk t.png 128
# a failed export over an existing picture leaves it as it was
"$root/tools/wine-run.sh" "$exe" --export old.png garbage.tarvosk 2>/dev/null && fail "the garbage export over old.png succeeded"
[ "$(cat old.png)" = "old picture" ] || fail "a failed export damaged the existing picture"
# the good document exports, so the failures above were the input's
"$root/tools/wine-run.sh" "$exe" --export good.png good.tarvosk || fail "the good document did not export"
[ -s good.png ] || fail "good.png is empty"
# From a batch file, as cmd.exe runs one: it waits for the program, what the program prints goes
# where the script sends it, and the exit statuses hold.
cp "$exe" ./tarvosk.exe
printf '@echo off\r\ntarvosk.exe --export x.png missing.tarvosk 2> err.txt\r\necho %%ERRORLEVEL%% > status.txt\r\ntarvosk.exe --version > version.txt\r\necho %%ERRORLEVEL%% >> status.txt\r\ntarvosk.exe --no-such-option 2> misuse.txt\r\necho %%ERRORLEVEL%% >> status.txt\r\n' >run.bat
WINEDEBUG=-all wine cmd /c run.bat >/dev/null 2>&1
[ "$(tr -d ' \r' <status.txt | tr '\n' ,)" = "1,0,2," ] || fail "the batch file saw the statuses $(tr -d '\r' <status.txt | tr '\n' ' ')"
grep -q "missing.tarvosk" err.txt || fail "the batch file's error file holds: $(cat err.txt)"
grep -qx 'tarvosk [0-9.]*.' version.txt || fail "the batch file's version file holds: $(cat version.txt)"
grep -q "no-such-option" misuse.txt || fail "the batch file's misuse file holds: $(cat misuse.txt)"

[ $failed = 0 ] && echo "bad input passed"
exit $failed
