#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for SECONDS (default 60),
# two at a time on one core each. The growing corpora and every failing input are kept under
# build-fuzz/; a failing input belongs in tests/data/fuzz/<target>/ as a regression case.
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_ini_file fuzz_text_to_point fuzz_document_open fuzz_document_draw)
parallel=${FUZZ_PARALLEL:-2}
build=${FUZZ_BUILD_DIR:-build-fuzz}
root=$PWD

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTARVOSK_FUZZ=ON -DTARVOSK_TESTS=OFF -DTARVOSK_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2

# Seed corpus, extra options and dictionary of each target.
declare -A seeds=([fuzz_ini_file]=ini [fuzz_text_to_point]=point [fuzz_document_open]=document [fuzz_document_draw]=document)
declare -A options=(
  [fuzz_ini_file]="-max_len=8192 -dict=$root/fuzz/document.dict"
  [fuzz_text_to_point]="-max_len=64 -use_value_profile=1"
  [fuzz_document_open]="-max_len=16384 -dict=$root/fuzz/document.dict"
  [fuzz_document_draw]="-max_len=16384 -dict=$root/fuzz/document.dict")

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

run() {
  local t=$1
  local work="$root/$build/fuzz-runs/$t"
  mkdir -p "$work/corpus" "$work/findings"
  cp -n "$root/fuzz/corpus/${seeds[$t]}/"* "$work/corpus/" 2>/dev/null || true
  # Inputs that once failed go first, so an old fault that came back shows at once.
  local regressions=()
  [ -d "$root/tests/data/fuzz/$t" ] && regressions=("$root/tests/data/fuzz/$t")
  # shellcheck disable=SC2086
  (cd "$work" && "$root/$build/fuzz/$t" -jobs=1 -workers=1 -max_total_time="$seconds" \
     -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 ${options[$t]} \
     -artifact_prefix="$work/findings/" "$work/corpus" "${regressions[@]}" >"$work/run.log" 2>&1 || true)
}

active=0
for t in "${targets[@]}"; do
  run "$t" &
  active=$((active + 1))
  if [ "$active" -ge "$parallel" ]; then
    wait -n || true
    active=$((active - 1))
  fi
done
wait || true

printf '%-22s %12s %10s %8s %8s  %s\n' target executions exec/s corpus findings "log"
for t in "${targets[@]}"; do
  work="$root/$build/fuzz-runs/$t"
  log="$work/fuzz-0.log"
  runs=$(grep -ho 'stat::number_of_executed_units: *[0-9]*' "$log" 2>/dev/null | tail -1 | grep -o '[0-9]*$' || true)
  rate=$(grep -ho 'stat::average_exec_per_sec: *[0-9]*' "$log" 2>/dev/null | tail -1 | grep -o '[0-9]*$' || true)
  corpus=$(find "$work/corpus" -type f | wc -l)
  findings=$(find "$work/findings" -type f | wc -l)
  printf '%-22s %12s %10s %8s %8s  %s\n' "$t" "${runs:-?}" "${rate:-?}" "$corpus" "$findings" "${log#"$root"/}"
done
