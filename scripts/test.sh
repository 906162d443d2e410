#!/usr/bin/env bash
# Installs what is needed, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
# Shards of a batch run as array jobs of a real one-node Slurm cluster (77: skipped, it says why).
bash scripts/slurm_test.sh build/bin || [ $? -eq 77 ]
