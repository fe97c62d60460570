#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the whole program and test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ and runs every test there.
# Any report fails the run: undefined behaviour stops the process, and so
# does a memory error or (at exit) a leak.
#
# Then builds the tests of the code that shares memory between threads with
# ThreadSanitizer in build-tsan/ and runs them: the worker pool (renders and
# filters in bands), the autosave writer and the history's storage thread
# (Undo, the history steps and the canvas view's presses). A data race fails
# the run.
#
#   bash scripts/sanitize.sh            both
#   bash scripts/sanitize.sh --address  the address and undefined-behaviour half
#   bash scripts/sanitize.sh --thread   the thread half
set -euo pipefail
cd "$(dirname "$0")/.."
address=1
thread=1
case "${1:-}" in
  "") ;;
  --address) thread=0 ;;
  --thread) address=0 ;;
  *)
    echo "usage: bash scripts/sanitize.sh [--address | --thread]" >&2
    exit 2
    ;;
esac
export QT_QPA_PLATFORM=offscreen

if [ "$address" -eq 1 ]; then
  # -O1 keeps the build quick and the reports readable; -g1 gives line numbers.
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
    -DSMUDGECRAFT_SANITIZE=ON -DSMUDGECRAFT_BENCH=OFF >/dev/null
  cmake --build build-sanitize -j "$(nproc)"
  ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1}" \
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}" \
  LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/leak_suppressions.txt:print_suppressions=0}" \
    ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)" --timeout 600
fi

if [ "$thread" -eq 1 ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
    -DSMUDGECRAFT_THREAD_SANITIZE=ON -DSMUDGECRAFT_BENCH=OFF -DSMUDGECRAFT_FUZZ=OFF >/dev/null
  cmake --build build-tsan -j "$(nproc)" --target test_engine test_filters test_formats test_app test_shell
  # Each band of a render and a filter goes to the pool; the autosave writes
  # from its own thread; the history makes storage on one.
  TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}" \
    ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" --timeout 600 \
      -R '^(WorkerPool|Renderer|FilterCommand|FilterBlend|AutosaveFiles|AutosaveTest|UndoTest|CanvasViewTest)\.'
fi
