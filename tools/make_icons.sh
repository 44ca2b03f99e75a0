#!/bin/sh
# Builds tools/make_icons.cpp and repaints resources/icons/ and packaging/icons/hicolor/. Run from anywhere.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(mktemp -d)/make_icons
trap 'rm -rf "$(dirname "$bin")"' EXIT
g++ -std=c++20 -O1 -Wall -Wextra -Werror -fPIC "$root/tools/make_icons.cpp" -o "$bin" \
  $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$bin" "$root/resources/icons" "$root/packaging/icons/hicolor"
# The Windows icon resources, every size of the hicolor set in one .ico each (ImageMagick).
h="$root/packaging/icons/hicolor"
for pair in apps/tarvosk:tarvosk mimetypes/application-x-tarvosk:tarvosk-document; do
  src=${pair%%:*}
  convert "$h/256x256/$src.png" "$h/64x64/$src.png" "$h/48x48/$src.png" "$h/32x32/$src.png" \
    "$h/24x24/$src.png" "$h/16x16/$src.png" "$root/packaging/windows/${pair##*:}.ico"
done
