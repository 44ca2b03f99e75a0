#!/usr/bin/env bash
# Plants the one-line mistakes of tests/mutants.txt in a copy of the committed program, one at a
# time, rebuilds, runs the tests and tells which mutant the tests caught. Not part of CI: every
# mutant costs an incremental build and a test run.
#
#   tools/mutants.sh [FIRST [LAST]]     mutants FIRST..LAST (1-based, in file order), default all
#   MUTANTS_ONLY="3 17 40" tools/mutants.sh   just those mutants
#
# Environment: MUTANTS_DIR (default build-mutants) holds the copy of the sources and its build;
# MUTANTS_TIMEOUT is the limit of one test in seconds (default 120); MUTANTS_JOBS the parallel
# builds and tests (default 2). The end-to-end tests are left out: they drive a real window and
# take long. The copy is refreshed from HEAD, so commit what is to be checked.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list="$root/tests/mutants.txt"
work=${MUTANTS_DIR:-$root/build-mutants}
timeout=${MUTANTS_TIMEOUT:-120}
# The randomized history test needs only a few sequences to catch a planted mistake.
export TARVOSK_HISTORY_SEQUENCES=${TARVOSK_HISTORY_SEQUENCES:-4}
jobs=${MUTANTS_JOBS:-2}
first=${1:-1}
last=${2:-1000000}
src="$work/src"
build="$work/build"
mkdir -p "$src" "$build"

# Refresh the copy from HEAD, keeping the time stamps of unchanged files so the build stays
# incremental.
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
git -C "$root" archive HEAD | tar -x -C "$fresh"
(cd "$fresh" && find . -type f) | while IFS= read -r f; do
  if ! cmp -s "$fresh/$f" "$src/$f"; then
    mkdir -p "$(dirname "$src/$f")"
    cp "$fresh/$f" "$src/$f"
  fi
done
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVOSK_TESTS=ON >/dev/null ||
  { echo "configure failed"; exit 2; }
if ! cmake --build "$build" -j"$jobs" >"$work/build.log" 2>&1; then
  echo "the unmutated program does not build; see $work/build.log"
  exit 2
fi
if ! ctest --test-dir "$build" -j"$jobs" --timeout "$timeout" -E '^e2e_' >"$work/ctest.log" 2>&1; then
  echo "the unmutated program fails its tests; see $work/ctest.log"
  exit 2
fi

caught=0
survived=0
number=0
survivors=()
# Fields are separated by " @@ ": file, a pattern that occurs on exactly one line, replacement.
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  number=$((number + 1))
  ((number < first || number > last)) && continue
  if [[ -n "${MUTANTS_ONLY:-}" && " $MUTANTS_ONLY " != *" $number "* ]]; then continue; fi
  file=${line%% @@ *}
  rest=${line#* @@ }
  pattern=${rest%% @@ *}
  replacement=${rest#* @@ }
  target="$src/$file"
  label="#$number $file: $pattern -> $replacement"
  if [[ ! -f "$target" ]]; then
    echo "BAD      $label (no such file)"
    continue
  fi
  hits=$(grep -cF -- "$pattern" "$target")
  if [[ "$hits" != 1 ]]; then
    echo "BAD      $label (pattern on $hits lines)"
    continue
  fi
  cp -p "$target" "$work/original"
  PATTERN="$pattern" REPLACEMENT="$replacement" perl -0pi -e \
    's/\Q$ENV{PATTERN}\E/$ENV{REPLACEMENT}/' "$target"
  if ! cmake --build "$build" -j"$jobs" >"$work/mutant.log" 2>&1; then
    verdict="caught   $label [does not build]"
    caught=$((caught + 1))
  else
    ctest --test-dir "$build" -j"$jobs" --timeout "$timeout" -E '^e2e_' >"$work/mutant.log" 2>&1
    # Only the list of failures counts; skipped tests are listed in the same form before it.
    failed=$(sed -n '/The following tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p' \
      "$work/mutant.log" | sort -u | tr '\n' ' ')
    if [[ -n "$failed" ]]; then
      verdict="caught   $label [$failed]"
      caught=$((caught + 1))
    else
      verdict="SURVIVED $label"
      survived=$((survived + 1))
      survivors+=("#$number")
    fi
  fi
  # Back as it was, with a new time stamp so that the next build compiles it again (from the
  # compiler cache); an old stamp would leave the mutant's object file in place.
  cp "$work/original" "$target"
  echo "$verdict"
done <"$list"
# Leave the build matching the sources.
cmake --build "$build" -j"$jobs" >/dev/null 2>&1
echo "$caught caught, $survived survived${survivors:+ (${survivors[*]})}"
