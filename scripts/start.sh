#!/usr/bin/env bash
# Installs what is needed, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -x build/bin/chess-vorlix ]; then
  exec build/bin/chess-vorlix "$@"
else
  exec build/bin/vorlix --help
fi
