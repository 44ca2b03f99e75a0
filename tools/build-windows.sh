#!/usr/bin/env bash
# Builds the Windows program from this checkout with Debian's mingw-w64 cross compiler:
# build-windows/tarvosk.exe (one static 64-bit GUI program), and the two downloads beside it,
# tarvosk-VERSION-win64.zip and the installer tarvosk-VERSION-setup.exe.
#   tools/build-windows.sh          the program and the downloads
#   tools/build-windows.sh --test   also the test suites, run under Wine
# The static Qt, libjpeg, libpng and zlib prefix is TARVOSK_MINGW_PREFIX; by default the shared
# archive beside the project is unpacked into build-windows-prefix/ (tools/make-mingw-prefix.sh
# makes such a prefix again from Debian's source packages).
set -euo pipefail
cd "$(dirname "$0")/.."
tests=OFF
case "${1:-}" in
  --test) tests=ON ;;
  "") ;;
  *) echo "usage: tools/build-windows.sh [--test]" >&2; exit 2 ;;
esac
tools/install-deps.sh

prefix=${TARVOSK_MINGW_PREFIX:-}
if [ -z "$prefix" ]; then
  archive=$(cd .. && pwd)/shared/windows/mingw64-qt6.4.2.tar.xz
  prefix=$PWD/build-windows-prefix/mingw64
  if [ ! -f "$prefix/.unpacked" ] || [ "$archive" -nt "$prefix/.unpacked" ]; then
    if [ ! -f "$archive" ]; then
      echo "No mingw-w64 Qt prefix: $archive is missing." >&2
      echo "Set TARVOSK_MINGW_PREFIX, or make one with tools/make-mingw-prefix.sh." >&2
      exit 1
    fi
    rm -rf build-windows-prefix
    mkdir -p build-windows-prefix
    tar -xJf "$archive" -C build-windows-prefix
    touch "$prefix/.unpacked"
  fi
fi

cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTARVOSK_MINGW_PREFIX="$prefix" \
  -DTARVOSK_TESTS=$tests >/dev/null
cmake --build build-windows -j"$(nproc)"
cmake --build build-windows --target windows_packages
ls -l build-windows/tarvosk.exe build-windows/tarvosk-*-win64.zip build-windows/tarvosk-*-setup.exe
if [ $tests = ON ]; then
  ctest --test-dir build-windows --output-on-failure -j"$(nproc)"
fi
