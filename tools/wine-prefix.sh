#!/usr/bin/env bash
# Makes a fresh Wine prefix in DIR (removed first) that has the fonts a Windows system has and
# the plan names: Tahoma and "MS Sans Serif" (Wine's own, from Debian's fonts-wine).
set -euo pipefail
dir=${1:?usage: tools/wine-prefix.sh DIR}
rm -rf "$dir"
mkdir -p "$dir"
export WINEPREFIX=$(cd "$dir" && pwd) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot --init >/dev/null 2>&1
wineserver -w
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in tahoma.ttf tahomabd.ttf ms_sans_serif.ttf; do
  cp /usr/share/wine/fonts/$f "$fonts/"
done
