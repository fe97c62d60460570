#!/usr/bin/env bash
# Builds the whole program and test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ and runs every test there.
# Any report fails the run: undefined behaviour stops the process, and so
# does a memory error or (at exit) a leak.
set -euo pipefail
cd "$(dirname "$0")/.."
# -O1 keeps the build quick and the reports readable; -g1 gives line numbers.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
  -DSMUDGECRAFT_SANITIZE=ON -DSMUDGECRAFT_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/leak_suppressions.txt:print_suppressions=0}"
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)" --timeout 600
