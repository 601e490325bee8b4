#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into FUZZ_BUILD_DIR (default: build-fuzz), then
# runs each for SECONDS (default 60), FUZZ_JOBS of them at a time (default:
# the number of cores), on inputs of up to FUZZ_MAX_LEN bytes (default 8192),
# with the words of fuzz/dictionaries. Seeds: the measured profiles in
# ../shared/data (when present), the bundled sample, the scripts in
# fuzz/seeds/script, the small instrument files in fuzz/seeds/measured and
# the inputs kept in fuzz/regressions; they are copied
# into a temporary corpus, so nothing in the project changes. Fails when any
# harness finds a failure; its input is left in FUZZ_BUILD_DIR/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_JOBS:-$(nproc)}
# Longer inputs (and seeds, which are cut there) slow every run down.
max_len=${FUZZ_MAX_LEN:-8192}
root=$PWD

# clang 14 and its libFuzzer and sanitizer runtimes; llvm-14 for symbolized
# stack traces.
scripts/setup.sh clang-14 libclang-rt-14-dev llvm-14

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B "$build_dir" -G Ninja "${launcher[@]}" -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTAV_FUZZ=ON -DTAV_WERROR=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" --target fuzzers

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$root/.ci/lsan.supp":print_suppressions=0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings="$build_dir/findings"
mkdir -p "$findings"

profiles=("$root/data/sample.asc")
if [ -d ../shared/data ]; then
  for f in ../shared/data/*; do [ -f "$f" ] && profiles+=("$(realpath "$f")"); done
fi
scripts=("$root"/fuzz/seeds/script/*.txt)

# seed HARNESS: fills the harness's corpus folder.
seed() {
  local h=$1 dir="$work/corpus/$1" i=0 f
  mkdir -p "$dir"
  case $h in
    rigaku_reader | text_source | file_type)
      for f in "${profiles[@]}"; do cp "$f" "$dir/profile-$((i++))"; done ;;
    xy_reader)
      # Settings bytes first: no lines skipped, read up to line 9999.
      for f in "${profiles[@]}"; do
        { printf '\x00\x27\x0e'; cat "$f"; } >"$dir/profile-$((i++))"
      done ;;
    measured_readers)
      for f in fuzz/seeds/measured/*; do cp "$f" "$dir/"; done ;;
    script_parser)
      for f in "${scripts[@]}"; do cp "$f" "$dir/"; done ;;
    session_file)
      for f in tests/session/*.tav; do cp "$f" "$dir/"; done ;;
    script_runner)
      # Each script alone, and each profile after one of the scripts.
      for f in "${scripts[@]}"; do cp "$f" "$dir/"; done
      for f in "${profiles[@]}"; do
        { cat "${scripts[i % ${#scripts[@]}]}"; printf '\0'; cat "$f"; } >"$dir/run-$((i++))"
      done ;;
  esac
  if [ -d "fuzz/regressions/$h" ]; then
    for f in "fuzz/regressions/$h"/*; do [ -f "$f" ] && cp "$f" "$dir/"; done
  fi
  return 0
}

# run HARNESS: fuzzes it for the given time; its output goes to a log.
run() {
  local h=$1 dict=rint.dict
  [[ $h == script_* ]] && dict=script.dict
  [[ $h == measured_readers ]] && dict=measured.dict
  [[ $h == session_file ]] && dict=session.dict
  mkdir -p "$findings/$h"
  "$build_dir/fuzz/fuzz_$h" "$work/corpus/$h" -dict="$root/fuzz/dictionaries/$dict" \
    -max_total_time="$seconds" -timeout=30 \
    -max_len="$max_len" -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/$h/" \
    >"$work/$h.log" 2>&1
}

# report HARNESS STATUS: a summary line, or the log's end after a finding.
report() {
  local h=$1 status=$2 log="$work/$1.log"
  if [ "$status" -eq 0 ]; then
    printf '%-14s %s, %s, %s\n' "$h" \
      "$(grep -o 'number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs" \
      "$(grep -E '^#[0-9]+.*(DONE|cov:)' "$log" | tail -1 | grep -o 'cov: [0-9]*')" \
      "$(grep -E '^#[0-9]+.*(DONE|cov:)' "$log" | tail -1 | grep -o 'ft: [0-9]*')"
  else
    echo "fuzz_$h found a failure (exit $status):"
    tail -n 80 "$log"
    echo "The input is in $findings/$h/; keep it as fuzz/regressions/$h/NAME once fixed."
  fi
}

harnesses=(rigaku_reader xy_reader text_source file_type measured_readers script_parser
  script_runner session_file)
for h in "${harnesses[@]}"; do seed "$h"; done
echo "fuzzing ${#harnesses[@]} harnesses for ${seconds}s each, $jobs at a time"
failed=0
passed=0
for ((start = 0; start < ${#harnesses[@]}; start += jobs)); do
  batch=("${harnesses[@]:start:jobs}")
  pids=()
  for h in "${batch[@]}"; do
    run "$h" &
    pids+=($!)
  done
  for k in "${!batch[@]}"; do
    status=0
    wait "${pids[k]}" || status=$?
    report "${batch[k]}" "$status"
    if [ "$status" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  done
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
