#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, builds the program and starts it from its run directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -x build/bin/smudgecraft ]; then
  cd build/run
  exec ../bin/smudgecraft "$@"
fi
exec build/bin/smudgecraft-batch --help
