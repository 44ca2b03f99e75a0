#!/usr/bin/env bash
# The two Windows downloads under Wine, in a prefix of their own.
# The installer: a silent installation into Program Files puts the files, the Start menu entry,
# the document type and the "Apps and features" entry in place, and the installed program
# exports a plan; its silent uninstaller takes all of that away again but leaves what is the
# user's: a file in the program's folder, the application-data folder and another copy's
# per-user document type. A second installation, into a folder chosen with /D= whose name has
# blanks and Cyrillic letters, is started once (so that it registers itself for the user as it
# does at every start) and uninstalled with the command the registry gives for it.
# The zip: one folder with the program and a read-me that Notepad shows right, that runs from a
# folder whose name has a blank and a Cyrillic letter.
#   usage: installer_test.sh BUILD_DIR SOURCE_DIR
#   (cmake --build BUILD_DIR --target windows_packages makes the downloads first)
set -euo pipefail
build=$(cd "${1:?usage: installer_test.sh BUILD_DIR SOURCE_DIR}" && pwd)
source=$(cd "${2:?usage: installer_test.sh BUILD_DIR SOURCE_DIR}" && pwd)
for tool in wine wineserver makensis; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
for tool in identify unzip zipinfo iconv python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: the test needs $tool"; exit 1; }
done

fail() { echo "FAIL: $*"; exit 1; }
version=$(sed -n 's/^project(tarvosk VERSION \([0-9][0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
[ -n "$version" ] || fail "no version in $source/CMakeLists.txt"
exe=$build/tarvosk.exe
setup=$build/tarvosk-$version-setup.exe
zip=$build/tarvosk-$version-win64.zip
readme=$source/packaging/windows/README-ru.txt
for f in "$exe" "$setup" "$zip"; do
  [ -f "$f" ] || fail "$f is missing (cmake --build $build --target windows_packages)"
done
for f in "$setup" "$zip"; do
  if [ "$f" -ot "$exe" ]; then fail "$f is older than $exe: build windows_packages again"; fi
done

work=$(mktemp -d)
gui=
cleanup() {
  [ -n "$gui" ] && kill "$gui" 2>/dev/null
  [ -n "${WINEPREFIX:-}" ] && { timeout 30 wineserver -w || wineserver -k; } 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
echo "making a Wine prefix"
"$source/tools/wine-prefix.sh" "$work/prefix"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
drive_c=$WINEPREFIX/drive_c
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Тарвоск.lnk"
appdata=$(ls -d "$drive_c"/users/*/AppData/Roaming 2>/dev/null | grep -v /Public/ | head -n 1 || true)
[ -d "$appdata" ] || fail "the prefix has no user's AppData\\Roaming"
classes='HKLM\Software\Classes'
user_classes='HKCU\Software\Classes'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvosk'

win() { local p=$1; echo "Z:${p//\//\\}"; }  # a host path as the program sees it
# The value NAME ("" for the default) of KEY, unescaped, as `wine reg export` writes it (UTF-16,
# which keeps the Cyrillic letters `reg query` turns into question marks); status 1 when the key
# or the value is missing.
reg_value() {
  local file=$work/export.reg
  rm -f "$file"
  wine reg export "$1" "$(win "$file")" /y /reg:64 >/dev/null 2>&1 || return 1
  local name='@'
  [ -n "$2" ] && name="\"$2\""
  # awk -v would take the backslashes of the key for escapes: the key comes in the environment
  iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | KEY="[$1]" NAME="$name" awk '
    BEGIN {
      key = tolower(ENVIRON["KEY"]); name = ENVIRON["NAME"]
      if (substr(key, 1, 6) == "[hklm\\") key = "[hkey_local_machine\\" substr(key, 7)
      if (substr(key, 1, 6) == "[hkcu\\") key = "[hkey_current_user\\" substr(key, 7)
    }
    /^\[/ { inside = tolower($0) == key; next }
    inside && !found && index($0, name "=") == 1 { print substr($0, length(name) + 2); found = 1 }
    END { exit !found }' | sed -e 's/^"\(.*\)"$/\1/' -e 's/\\"/"/g' -e 's/\\\\/\\/g'
}
key_exists() { wine reg query "$1" /reg:64 >/dev/null 2>&1; }
expect_value() {  # KEY NAME EXPECTED
  local got
  got=$(reg_value "$1" "$2") || fail "$1 has no value '${2:-(default)}'"
  [ "$got" = "$3" ] || fail "$1 '${2:-(default)}' is '$got', not '$3'"
}
# A UTF-16LE string as a grep -P pattern of bytes.
u16() { printf '%s' "$1" | iconv -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ' ' | sed -e 's/ \([0-9a-f]\{2\}\)/\\x\1/g' -e 's/ //g'; }
# The version block: a Russian string table with the product, its version and a description.
check_version_info() {
  local key value
  for pair in "ProductName=Тарвоск" "ProductVersion=$version" "FileVersion=$version" \
              "CompanyName=Тарвоск" "FileDescription=Установка и удаление Тарвоска"; do
    key=${pair%%=*} value=${pair#*=}
    LC_ALL=C grep -qaP "$(u16 "$key")(\\x00\\x00){1,2}$(u16 "$value")" "$1" ||
      fail "$1: the version block has no $key '$value'"
  done
  LC_ALL=C grep -qaP "$(u16 041904)" "$1" || fail "$1: the version strings are not Russian (language 0419)"
}
# The program's icon as the file's icon: every picture of tarvosk.ico, byte for byte.
check_icon() {
  python3 - "$source/packaging/windows/tarvosk.ico" "$1" <<'EOF' || fail "$1 does not have the program's icon"
import struct, sys
ico, exe = (open(p, "rb").read() for p in sys.argv[1:3])
count = struct.unpack_from("<H", ico, 4)[0]
images = [struct.unpack_from("<II", ico, 6 + 16 * i + 8) for i in range(count)]
sys.exit(0 if count and all(ico[off:off + size] in exe for size, off in images) else 1)
EOF
}
run_gui_once() {  # PROGRAM: starts it under Xvfb until it has registered itself for the user
  local start program key='[Software\\Classes\\.tarvosk\\shell\\open\\command]'
  wineserver -w  # the registry file is up to date when no server runs
  if grep -qF "$key" "$WINEPREFIX/user.reg"; then fail "HKCU has a .tarvosk association before $1 started"; fi
  xvfb-run -a -s "-screen 0 1280x1024x24" wine "$1" -ns >/dev/null 2>&1 &
  gui=$!
  # Wine's own tools started while the program starts can stall its start-up for good: the keys
  # are looked for in the registry file, which the Wine server saves within half a minute.
  start=$(date +%s)
  until grep -qF "$key" "$WINEPREFIX/user.reg"; do
    [ $(($(date +%s) - start)) -lt 90 ] || fail "$1 wrote no HKCU association in 90 s"
    kill -0 "$gui" 2>/dev/null || fail "$1 ended before it wrote the HKCU association"
    sleep 1
  done
  program=$(pgrep -P "$gui" -f 'tarvosk\.exe' || true)
  if [ -n "$program" ]; then kill "$program"; else pkill -P "$gui" || true; fi
  wait "$gui" 2>/dev/null || true  # xvfb-run ends its server when the program has ended
  gui=
  timeout 30 wineserver -w || { echo "note: Wine's services outlived the program"; wineserver -k; }
}

# A plan of the walls and the pedestal, as the program writes one.
mkdir -p "$work/docs"
printf '[Application]\r\nVersion=Tarvosk\r\n[Object0]\r\nObjName=Walls\r\nObjType=0\r\nWallType=1\r\n[Object1]\r\nObjName=Post\r\nObjType=3\r\nPostPosition_R=2800,3800\r\n' \
  >"$work/docs/plan.tarvosk"
export_plan() {  # PROGRAM (Windows path) OUTPUT.png
  rm -f "$2"
  wine "$1" --export "$(win "$2")" "$(win "$work/docs/plan.tarvosk")" || fail "$1 --export failed ($?)"
  [ "$(identify -format '%m' "$2" 2>/dev/null)" = PNG ] || fail "$1 --export wrote no PNG"
  [ "$(identify -format '%k' "$2")" -gt 2 ] || fail "$1 --export wrote a blank picture"
}

# ---- the installer, into Program Files ---------------------------------------------------------
check_version_info "$setup"
check_icon "$setup"
echo "installing silently into Program Files"
wine "$(win "$setup")" /S || fail "the silent installation exited with $?"
wineserver -w
dir="$drive_c/Program Files/Tarvosk"
windir='C:\Program Files\Tarvosk'
for f in tarvosk.exe uninstall.exe README-ru.txt; do
  [ -f "$dir/$f" ] || fail "$f is not installed in $dir"
done
[ "$(ls "$dir" | wc -l)" = 3 ] || fail "$dir holds more than the program, its read-me and its uninstaller: $(ls "$dir")"
cmp -s "$exe" "$dir/tarvosk.exe" || fail "the installed tarvosk.exe is not the build's"
cmp -s "$readme" "$dir/README-ru.txt" || fail "the installed README-ru.txt is not the source's"
check_version_info "$dir/uninstall.exe"
check_icon "$dir/uninstall.exe"
[ -f "$shortcut" ] || fail "no Start menu entry $shortcut"
grep -qaF "$windir\\tarvosk.exe" "$shortcut" || fail "the Start menu entry does not start $windir\\tarvosk.exe"

expect_value "$classes\\.tarvosk" "" Tarvosk.Document
name=$(reg_value "$classes\\Tarvosk.Document" "") || fail "Tarvosk.Document has no name"
[[ $name == *Тарвоск* ]] || fail "Tarvosk.Document is named '$name', not in Russian"
expect_value "$classes\\Tarvosk.Document\\DefaultIcon" "" "\"$windir\\tarvosk.exe\",1"
expect_value "$classes\\Tarvosk.Document\\shell\\open\\command" "" "\"$windir\\tarvosk.exe\" \"%1\""
expect_value "$uninstall_key" DisplayName Тарвоск
expect_value "$uninstall_key" DisplayVersion "$version"
expect_value "$uninstall_key" DisplayIcon "$windir\\tarvosk.exe,0"
expect_value "$uninstall_key" InstallLocation "$windir"
expect_value "$uninstall_key" UninstallString "\"$windir\\uninstall.exe\""
expect_value "$uninstall_key" QuietUninstallString "\"$windir\\uninstall.exe\" /S"
expect_value "$uninstall_key" NoModify dword:00000001
expect_value "$uninstall_key" NoRepair dword:00000001
name=$(reg_value "$uninstall_key" Publisher) && [ -n "$name" ] || fail "the uninstall entry has no Publisher"
size=$(reg_value "$uninstall_key" EstimatedSize) || fail "the uninstall entry has no EstimatedSize"
size=$((16#${size#dword:}))
files_kb=$(( $(cat "$dir"/* | wc -c) / 1024 ))
[ "$size" -ge "$files_kb" ] && [ "$size" -le $((files_kb + 16)) ] ||
  fail "EstimatedSize is $size KB, the installed files take $files_kb KB"

[ "$(wine "$windir\\tarvosk.exe" --version | tr -d '\r')" = "tarvosk $version" ] ||
  fail "the installed program does not say 'tarvosk $version'"
export_plan "$windir\\tarvosk.exe" "$work/docs/installed.png"
echo "installed: files, Start menu entry, document type, uninstall entry and export are right"

# What is the user's, and what another copy of the program (an unpacked zip) registered.
printf '[View]\r\nTools=0\r\n' >"$dir/view.ini"
mkdir -p "$appdata/tarvosk"
printf '[View]\r\nBells=0\r\n' >"$appdata/tarvosk/view.ini"
other='C:\Tools\tarvosk-1.0.2\tarvosk.exe'
wine reg add "$user_classes\\.tarvosk\\shell\\open\\command" /ve /d "$other %1" /f >/dev/null
wine reg add "$user_classes\\.tarvosk\\DefaultIcon" /ve /d "$other,0" /f >/dev/null
# and what another program added to the extension: the extension's key is not only ours
wine reg add "$classes\\.tarvosk\\OpenWithProgids" /v Other.Document /d "" /f /reg:64 >/dev/null

echo "uninstalling silently"
# The uninstaller copies itself to a temporary folder, starts that copy and returns.
wine "$windir\\uninstall.exe" /S
wineserver -w
for f in tarvosk.exe uninstall.exe README-ru.txt; do
  [ ! -e "$dir/$f" ] || fail "the uninstaller left $f"
done
[ "$(ls "$dir")" = view.ini ] || fail "the uninstaller took the user's view.ini from its folder, or left more: $(ls "$dir" 2>&1)"
[ "$(cat "$dir/view.ini")" = $'[View]\r\nTools=0\r' ] || fail "the uninstaller changed the user's view.ini"
[ -f "$appdata/tarvosk/view.ini" ] || fail "the uninstaller took the user's application-data folder"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu entry"
! key_exists "$classes\\Tarvosk.Document" || fail "the uninstaller left $classes\\Tarvosk.Document"
! key_exists "$uninstall_key" || fail "the uninstaller left $uninstall_key"
! reg_value "$classes\\.tarvosk" "" >/dev/null || fail "the uninstaller left the default value of $classes\\.tarvosk"
key_exists "$classes\\.tarvosk\\OpenWithProgids" || fail "the uninstaller took another program's $classes\\.tarvosk\\OpenWithProgids"
expect_value "$user_classes\\.tarvosk\\shell\\open\\command" "" "$other %1"
expect_value "$user_classes\\.tarvosk\\DefaultIcon" "" "$other,0"
echo "uninstalled: nothing of the installation is left, the user's files and another copy's keys are"

wine reg delete "$user_classes\\.tarvosk" /f >/dev/null
wine reg delete "$classes\\.tarvosk" /f /reg:64 >/dev/null

# ---- the installer, into a folder of the user's choice -----------------------------------------
windir='C:\Мои программы\Тарвоск 2'
dir="$drive_c/Мои программы/Тарвоск 2"
echo "installing silently with /D=$windir"
# Through cmd.exe, as a user types it: /D= takes the rest of the line, blanks and all, unquoted
# (Wine would quote the argument if it were given to the installer directly).
wine cmd /c "$(win "$setup") /S /D=$windir" || fail "the installation with /D= exited with $?"
wineserver -w
[ -f "$dir/tarvosk.exe" ] && [ -f "$dir/uninstall.exe" ] || fail "/D=$windir did not install there"
expect_value "$uninstall_key" InstallLocation "$windir"
expect_value "$classes\\Tarvosk.Document\\shell\\open\\command" "" "\"$windir\\tarvosk.exe\" \"%1\""
export_plan "$windir\\tarvosk.exe" "$work/docs/chosen.png"

if command -v xvfb-run >/dev/null; then
  echo "starting the installed program once"
  run_gui_once "$windir\\tarvosk.exe"
else
  # What the program writes at every start (document/registry_entries.cpp).
  echo "note: no xvfb-run; the program's per-user keys are written by the test"
  wine reg add "$user_classes\\.tarvosk\\shell\\open\\command" /ve /d "$windir\\tarvosk.exe %1" /f >/dev/null
  wine reg add "$user_classes\\.tarvosk\\DefaultIcon" /ve /d "$windir\\tarvosk.exe,0" /f >/dev/null
fi
expect_value "$user_classes\\.tarvosk\\shell\\open\\command" "" "$windir\\tarvosk.exe %1"

quiet=$(reg_value "$uninstall_key" QuietUninstallString) || fail "no QuietUninstallString"
[[ $quiet =~ ^\"([^\"]+)\"\ /S$ ]] || fail "QuietUninstallString is '$quiet'"
wine "${BASH_REMATCH[1]}" /S
wineserver -w
left=$(ls -A "$dir" 2>/dev/null | grep -vx view.ini || true)
[ -z "$left" ] || fail "the uninstaller left $left in $dir"
! key_exists "$user_classes\\.tarvosk" || fail "the uninstaller left the program's own $user_classes\\.tarvosk"
! key_exists "$classes\\.tarvosk" || fail "the uninstaller left $classes\\.tarvosk"
! key_exists "$classes\\Tarvosk.Document" || fail "the uninstaller left $classes\\Tarvosk.Document"
! key_exists "$uninstall_key" || fail "the uninstaller left $uninstall_key"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu entry"
echo "a chosen folder: installed, started, uninstalled with the program's own per-user keys"

# ---- the zip ------------------------------------------------------------------------------------
entries=$(zipinfo -1 "$zip")
[ "$entries" = "tarvosk-$version/"$'\n'"tarvosk-$version/README-ru.txt"$'\n'"tarvosk-$version/tarvosk.exe" ] ||
  fail "the zip holds: $(echo $entries)"
# one time stamp for every entry and no extra fields: the same inputs give the same zip
[ "$(zipinfo -T -l "$zip" | awk '/^[-d][-r]/ { print $8 }' | sort -u | wc -l)" = 1 ] ||
  fail "the zip's entries have different time stamps"
[ "$(zipinfo -v "$zip" | grep -c 'length of extra field:[[:space:]]*[1-9]' || true)" = 0 ] ||
  fail "the zip's entries carry extra fields"
unpacked="$work/Программы Windows"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
cmp -s "$exe" "$unpacked/tarvosk-$version/tarvosk.exe" || fail "the zip's tarvosk.exe is not the build's"
got=$(wine "$(win "$unpacked/tarvosk-$version/tarvosk.exe")" --version | tr -d '\r') ||
  fail "tarvosk.exe --version from the zip's folder failed"
[ "$got" = "tarvosk $version" ] || fail "tarvosk.exe from the zip's folder says '$got'"
text="$unpacked/tarvosk-$version/README-ru.txt"
[ "$(head -c 3 "$text" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "README-ru.txt has no UTF-8 byte-order mark"
iconv -f UTF-8 -t UTF-8 "$text" >/dev/null 2>&1 || fail "README-ru.txt is not UTF-8"
[ "$(tail -c 2 "$text" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "README-ru.txt does not end with CR LF"
[ "$(tr -cd '\n' <"$text" | wc -c)" = "$(grep -c $'\r$' "$text")" ] || fail "README-ru.txt has a line end without CR"
[ "$(tr -cd '\r' <"$text" | wc -c)" = "$(tr -cd '\n' <"$text" | wc -c)" ] || fail "README-ru.txt has a CR without LF"
for word in view.ini '%APPDATA%\tarvosk' 'start "" /wait' '%ERRORLEVEL%' Out-Host '$LASTEXITCODE' Start-Process --export; do
  grep -qF -- "$word" "$text" || fail "README-ru.txt does not mention $word"
done
echo "zip: one folder, runs from '$unpacked', the read-me has its BOM and CR LF"
echo "all checks passed"
