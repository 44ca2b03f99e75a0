#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it. Arguments go to the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOSK_TESTS=OFF >/dev/null
cmake --build build-release --target tarvosk
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "Run the editor in a virtual display:  xvfb-run -a build-release/app/tarvosk $*" >&2
  echo "or export a picture without any display:  build-release/app/tarvosk --export plan.png DOCUMENT.tarvosk" >&2
  exit 1
fi
exec build-release/app/tarvosk "$@"
