#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, checks the house style (lint.sh: clang-format and
# clang-tidy), builds everything and runs every test: first the
# release build, then the check of the installed package (check_install.sh),
# then the same suite built with the address and undefined-behaviour
# sanitizers, and the tests of the threaded code with the thread sanitizer.
#
# clang-tidy reads every source file as a compiler would, which costs minutes
# on a machine that has not checked them before. It runs beside the rest at
# the lowest priority, so it takes the processors the tests leave idle while
# they wait on their clocks and files, and hardly slows the builds; its
# findings fail the run at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/lint.sh --format
mkdir -p build-lint
# A session of its own, so that a failure below stops it and every
# clang-tidy it started.
setsid nice -n 19 bash scripts/lint.sh --tidy >build-lint/tidy.log 2>&1 &
tidy=$!
trap 'kill -- -"$tidy" 2>/dev/null || true' EXIT
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300
bash scripts/check_install.sh
bash scripts/sanitize.sh
tidy_status=0
wait "$tidy" || tidy_status=$?
cat build-lint/tidy.log
exit "$tidy_status"
