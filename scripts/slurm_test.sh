#!/usr/bin/env bash
# Runs `vorlix batch --shard` as array jobs of a real one-node Slurm cluster
# and checks the shards' files against one run, byte for byte.
#
#   bash scripts/slurm_test.sh [BIN_DIR]     (default: build/bin)
#
# The cluster (munge, slurmctld, slurmd; scripts/slurm_cluster.sh) lives in a
# temporary folder, listens on loopback only and is stopped by its process ids
# on exit, whatever happens. Needs root and the Debian packages slurmctld,
# slurmd, slurm-client and munge (scripts/setup.sh installs them); without
# them the test is skipped with exit code 77. Slurm's own exit codes are never trusted alone:
# a failed job launch can still look like success there, so the files decide.
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build/bin}" && pwd)
vorlix=$bin/vorlix
data=$here/tests/data
style=$here/resources/default.vxd
started=$(date +%s)

skip() { echo "slurm test: SKIPPED: $*"; exit 77; }
fail() {
  echo "slurm test: FAILED: $*" >&2
  for log in "$work"/log/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }; done
  exit 1
}

[ -x "$vorlix" ] || fail "$vorlix is not built"
source "$here/scripts/slurm_cluster.sh"
echo "slurm test: one-node cluster up in $(($(date +%s) - started)) s"

# ---- the runs ----
# An array job of `vorlix batch ... --shard K/N`; waits for it to end.
array() {
  local name=$1 shards=$2 args
  shift 2
  args=$(printf '%q ' "$@")
  cat > "$work/$name.sbatch" << EOF
#!/bin/bash
#SBATCH --job-name=$name
#SBATCH --array=1-$shards
#SBATCH --cpus-per-task=1
#SBATCH --output=$work/log/$name-%a.log
exec "$vorlix" batch $args--shard \$SLURM_ARRAY_TASK_ID/\$SLURM_ARRAY_TASK_COUNT \\
  --manifest "$work/out/$name/shard-\$SLURM_ARRAY_TASK_ID.jsonl"
EOF
  timeout 100 sbatch --wait --quiet "$work/$name.sbatch" > /dev/null 2>&1 || true  # the files decide
}

# The same run in one process; compares every file of the two folders.
same_as_single() {
  local name=$1
  shift
  mkdir -p "$work/out/$name-single"
  "$vorlix" batch "$@" --jobs 1 > /dev/null 2>&1
  local single=$work/out/$name-single count
  count=$(find "$single" -type f | wc -l)
  [ "$count" -gt 0 ] || fail "$name: the single run wrote nothing"
  diff -r -x '*.jsonl' "$single" "$work/out/$name" > /dev/null ||
    fail "$name: the shards' files differ from the single run's ($(diff -rq -x '*.jsonl' "$single" "$work/out/$name" | head -3))"
  "$vorlix" batch --verify "$work/out/$name"/shard-*.jsonl > /dev/null || fail "$name: the shards' manifests do not verify"
  echo "slurm test: $name: $count files of $(ls "$work/out/$name"/shard-*.jsonl | wc -l) shards equal one run's"
}

mkdir -p "$work/out/pgn" "$work/out/epd" "$work/out/broken"
pgn_args=("$data/Morphy_ANSI.pgn" --games 1-25 --positions entire --header players,move --style "$style")
array pgn 4 "${pgn_args[@]}" -o "$work/out/pgn/Morphy.gif"
same_as_single pgn "${pgn_args[@]}" -o "$work/out/pgn-single/Morphy.gif"

epd_args=("$data/wacnew.epd" --records 1-120 --header id --style "$style")
array epd 4 "${epd_args[@]}" -o "$work/out/epd/Wac.png"
same_as_single epd "${epd_args[@]}" -o "$work/out/epd-single/Wac.png"

# A broken shard: one file spoilt after the run, and a shard whose job fails.
printf x >> "$(find "$work/out/pgn" -name 'Morphy*.GIF' | sort | sed -n 7p)"
"$vorlix" batch --verify "$work/out/pgn"/shard-*.jsonl > /dev/null 2>&1 &&
  fail "verify passed over a spoilt file"
cat > "$work/broken.sbatch" << EOF
#!/bin/bash
#SBATCH --array=1-3
#SBATCH --output=$work/log/broken-%a.log
out=$work/out/broken
[ "\$SLURM_ARRAY_TASK_ID" = 2 ] && out=$work/out/no-such-folder
exec "$vorlix" batch "$data/bratko-kopec.epd" --style "$style" -o "\$out/B.gif" \\
  --shard \$SLURM_ARRAY_TASK_ID/3 --manifest "$work/out/broken/shard-\$SLURM_ARRAY_TASK_ID.jsonl"
EOF
timeout 60 sbatch --wait --quiet "$work/broken.sbatch" > /dev/null 2>&1 || true
[ -f "$work/out/broken/shard-1.jsonl" ] && [ -f "$work/out/broken/shard-3.jsonl" ] ||
  fail "the good shards of the broken run left no manifests"
"$vorlix" batch --verify "$work/out/broken"/shard-*.jsonl > "$work/log/verify.out" 2>&1 &&
  fail "verify passed with a shard missing"
grep -q "shard 2/3 of this run has no manifest" "$work/log/verify.out" || fail "verify did not name the missing shard"
echo "slurm test: a spoilt file and a failed shard make the verify step fail"

echo "slurm test: passed in $(($(date +%s) - started)) s"
