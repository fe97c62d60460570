#!/usr/bin/env bash
# Builds the Debian package build/smudgecraft_<version>_<arch>.deb: sets up the
# machine, builds the release tree and packs what `cmake --install` installs
# (desktop/CMakeLists.txt), its dependencies found by dpkg-shlibdeps.
#
#   bash scripts/package.sh && apt install ./build/smudgecraft_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
rm -f build/smudgecraft_*.deb
(cd build && cpack -G DEB >/dev/null)
ls build/smudgecraft_*.deb
