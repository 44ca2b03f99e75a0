#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix tools/wine-prefix.sh made (WINEPREFIX), with
# Wine's own messages off. CTest calls it for every test of the Windows build.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX (tools/wine-prefix.sh makes one)}"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
