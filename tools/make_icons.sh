#!/bin/sh
# Builds tools/make_icons.cpp and repaints resources/icons/ and packaging/icons/hicolor/. Run from anywhere.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(mktemp -d)/make_icons
trap 'rm -rf "$(dirname "$bin")"' EXIT
g++ -std=c++20 -O1 -Wall -Wextra -Werror -fPIC "$root/tools/make_icons.cpp" -o "$bin" \
  $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$bin" "$root/resources/icons" "$root/packaging/icons/hicolor"
