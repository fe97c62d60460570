#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer programs with clang in build-fuzz/ and runs each reader's
# fuzzer for a given time, starting from seed corpora the program's own writers
# make. Findings land in build-fuzz/findings/<target>/; a crash found there is
# kept as a regression input under tests/fuzz/crashers/<target>/.
#
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET ...]
#
# SECONDS_PER_TARGET defaults to 600; TARGET names default to all of them.
# FUZZ_JOBS (default 1) fuzzers run side by side.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(channel_codec painting jgi preset_lists prefs hand_over command_line picture
             bmp_picture png_picture jpeg_picture tiff_picture)
seconds="${1:-600}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "fuzz.sh: the time per target must be a whole number of seconds, not '$seconds'" >&2
  exit 2
fi
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  if [[ ! " ${all_targets[*]} " =~ " $t " ]]; then
    echo "fuzz.sh: no fuzz target '$t' (there are: ${all_targets[*]})" >&2
    exit 2
  fi
done
jobs="${FUZZ_JOBS:-1}"

bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSMUDGECRAFT_FUZZ=ON -DSMUDGECRAFT_TESTS=OFF -DSMUDGECRAFT_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target smudgecraft_fuzzers smudgecraft-fuzz-seeds

rm -rf build-fuzz/seeds
build-fuzz/bin/smudgecraft-fuzz-seeds build-fuzz/seeds

run_one() {
  local t="$1"
  # Absolute paths: some targets change the fuzzer's current directory.
  local root="$PWD/build-fuzz"
  local corpus="$root/corpus/$t" findings="$root/findings/$t"
  local status=0
  mkdir -p "$corpus" "$findings"
  # Quiet shells: the program's message boxes are not echoed, and libFuzzer's
  # log goes to a file per target.
  ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$root/fuzz/fuzz_$t" "$corpus" "$root/seeds/$t" \
      -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -max_len=65536 \
      -artifact_prefix="$findings/" -print_final_stats=1 >"$root/fuzz_$t.log" 2>&1 || status=$?
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$root/fuzz_$t.log" | grep -o '[0-9]*$' || echo "?")
  if [ $status -eq 0 ]; then
    echo "$t: clean, $runs inputs in ${seconds}s, corpus $(ls "$corpus" | wc -l) files"
  else
    echo "$t: FINDING (status $status), see build-fuzz/fuzz_$t.log and $findings/"
  fi
  return $status
}

failed=0
running=0
for t in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run_one "$t" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed
