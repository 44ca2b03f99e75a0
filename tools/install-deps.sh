#!/usr/bin/env bash
# Installs what the build, the tests, the packaging checks, the Windows cross build with its
# tests under Wine and the look-around tools need from Debian's packages.
set -euo pipefail
packages=(cmake ninja-build g++ clang pkg-config qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  libjpeg-dev libpng-dev zlib1g-dev poppler-utils libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wine fonts-dejavu-core qt6-translations-l10n xvfb xauth xdotool imagemagick ccache python3
  dpkg-dev fakeroot file lintian appstream desktop-file-utils libxml2-utils man-db xdg-utils
  libfile-mimeinfo-perl shared-mime-info mingw-w64 g++-mingw-w64-x86-64-posix wine64 nsis zip unzip googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
