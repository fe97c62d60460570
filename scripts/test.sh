#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, checks the house style (lint.sh: clang-format and
# clang-tidy), builds everything and runs every test: first the
# release build, then the check of the installed package (check_install.sh),
# then the same suite built with the address and undefined-behaviour
# sanitizers, and the tests of the threaded code with the thread sanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/lint.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300
bash scripts/check_install.sh
bash scripts/sanitize.sh
