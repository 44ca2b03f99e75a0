#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test: once
# as built for use, once cross-built for Windows under Wine, once more under AddressSanitizer and
# UndefinedBehaviorSanitizer with leak checking on (the end-to-end session and the packaging
# checks run in the first pass only: one drives a real window, the other checks files and
# packages rather than code).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVOSK_TESTS=ON >/dev/null
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

# The Windows program, cross-built, with its suites and the program itself under Wine (its
# exports are compared with the Linux program just built). The static Qt it needs comes from
# the shared prefix beside the project, or TARVOSK_MINGW_PREFIX.
if [ -n "${TARVOSK_MINGW_PREFIX:-}" ] || [ -f ../shared/windows/mingw64-qt6.4.2.tar.xz ]; then
  tools/build-windows.sh --test
else
  echo "SKIPPED: the Windows build: no mingw-w64 Qt prefix (../shared/windows or TARVOSK_MINGW_PREFIX)"
fi

cmake -S . -B build-test-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVOSK_TESTS=ON -DTARVOSK_SANITIZE=ON >/dev/null
cmake --build build-test-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-test-asan --output-on-failure -j"$jobs" -E '^(e2e|pkg)_'
