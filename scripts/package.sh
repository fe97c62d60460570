#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages build/smudgecraft_<version>_<arch>.deb (the
# programs) and build/smudgecraft-data_<version>_all.deb (their pictures,
# guide and starting lists): sets up the machine, builds the release tree and
# packs what `cmake --install` installs (desktop/CMakeLists.txt), the
# programs' dependencies found by dpkg-shlibdeps.
#
#   bash scripts/package.sh && apt install ./build/smudgecraft_*.deb ./build/smudgecraft-data_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
rm -f build/smudgecraft_*.deb build/smudgecraft-data_*.deb
(cd build && cpack -G DEB >/dev/null)
ls build/smudgecraft_*.deb build/smudgecraft-data_*.deb
