#!/usr/bin/env bash
# The Windows registry unit and the table it writes, compiled with Debian's mingw-w64 cross
# compiler so that code no Linux build compiles cannot rot.
set -euo pipefail
source=$1
compiler=x86_64-w64-mingw32-g++
if ! command -v "$compiler" >/dev/null; then
  echo "SKIPPED: $compiler is not installed (tools/install-deps.sh installs mingw-w64)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for unit in document/file_association_win32.cpp document/registry_entries.cpp; do
  "$compiler" -std=c++20 -Wall -Wextra -Werror -I"$source" -c "$source/$unit" -o "$work/$(basename "$unit" .cpp).o"
done
# and the two link into a library with only Windows' own system libraries
"$compiler" -shared -o "$work/association.dll" "$work"/*.o -ladvapi32 -luser32 -lshell32
echo "compiled with $("$compiler" -dumpversion)"
