#!/usr/bin/env bash
# Installs what is needed, builds, and makes the Debian package in build/
# (chess-vorlix_VERSION_ARCH.deb), checked by lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
(cd build && cpack -G DEB)
lintian --fail-on error build/chess-vorlix_*.deb
ls build/chess-vorlix_*.deb
