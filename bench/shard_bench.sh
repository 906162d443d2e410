#!/usr/bin/env bash
# Scale-out figures of `vorlix batch --shard`, on this machine:
#  1. the shard's start-up pass: a shard that writes nothing of a large PGN
#     file (the games repeated to SIZE MB), so its time is the pass over the
#     file that finds its part (target: under 1 s for 1,000 MB);
#  2. 4 shards as an array job of a one-node Slurm cluster (booted here by
#     scripts/slurm_cluster.sh, as root) against one run with --jobs 2 on the
#     same games, wall time (target: within 1.3x: scheduler overhead only).
#
#   bash bench/shard_bench.sh [GAMES.pgn] [path/to/vorlix] [size-MB] [games]
#
# Defaults: tests/data/Morphy_ANSI.pgn, build/bin/vorlix, 1000 MB, the file's
# first 60 games with every position for the second part. RUNS=N (default 3)
# runs each timing N times and prints the median.
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
source_games=${1:-$here/tests/data/Morphy_ANSI.pgn}
vorlix=$(readlink -f "${2:-$here/build/bin/vorlix}")
size_mb=${3:-1000}
games=${4:-60}
runs=${RUNS:-3}
style=$here/resources/default.vxd

skip() { echo "shard_bench: no Slurm cluster: $*"; cluster=no; }
fail() { echo "shard_bench: $*" >&2; exit 1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
now() { date +%s.%N; }

echo "shard_bench: $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg), vorlix $vorlix"
big=$(mktemp -d /tmp/vorlix-shard-bench.XXXXXX)
trap 'rm -rf "$big"' EXIT

# ---- 1: the start-up pass ----
while [ "$(stat -c %s "$big/big.pgn" 2> /dev/null || echo 0)" -lt $((size_mb * 1000000)) ]; do
  for _ in $(seq 100); do cat "$source_games"; done >> "$big/big.pgn"
done
mkdir -p "$big/out"
cat "$big/big.pgn" > /dev/null  # in the page cache, as after the first shard
for mode in fixed entire; do
  walls=() cpus=()
  for ((r = 0; r < runs; r++)); do
    # One chosen game, in shard 1 of 2: shard 2 counts the file and writes nothing.
    /usr/bin/time -f '%e %U %S' -o "$big/time" "$vorlix" batch "$big/big.pgn" --games 1 --positions "$mode" \
      --shard 2/2 -o "$big/out/X.gif" --style "$style" > /dev/null || fail "the start-up pass failed"
    read -r wall user sys < "$big/time"
    walls+=("$wall") cpus+=("$(echo "$user + $sys" | bc)")
  done
  printf 'start-up pass over %d MB (%s positions): median wall %.2f s, processor time %.2f s\n' "$size_mb" "$mode" \
    "$(printf '%s\n' "${walls[@]}" | median)" "$(printf '%s\n' "${cpus[@]}" | median)"
done
rm -f "$big/big.pgn"

# ---- 2: Slurm against one run ----
cluster=yes
source "$here/scripts/slurm_cluster.sh"
[ "$cluster" = yes ] || exit 0
trap 'cleanup; rm -rf "$big"' EXIT
args=("$source_games" --games "1-$games" --positions entire --style "$style")
one=() four=()
for ((r = 0; r < runs; r++)); do
  rm -rf "$work/out/one" "$work/out/four"
  mkdir -p "$work/out/one" "$work/out/four"
  start=$(now)
  "$vorlix" batch "${args[@]}" -o "$work/out/one/X.gif" --jobs 2 > /dev/null || fail "the single run failed"
  one+=("$(echo "$(now) - $start" | bc)")
  cat > "$work/four.sbatch" << JOB
#!/bin/bash
#SBATCH --array=1-4
#SBATCH --cpus-per-task=1
#SBATCH --output=$work/log/four-%a.log
exec "$vorlix" batch $(printf '%q ' "${args[@]}") -o "$work/out/four/X.gif" \\
  --shard \$SLURM_ARRAY_TASK_ID/4 --manifest "$work/out/four/shard-\$SLURM_ARRAY_TASK_ID.jsonl"
JOB
  start=$(now)
  sbatch --wait --quiet "$work/four.sbatch" > /dev/null 2>&1
  four+=("$(echo "$(now) - $start" | bc)")
  diff -r -x '*.jsonl' "$work/out/one" "$work/out/four" > /dev/null || fail "the shards' files differ from one run's"
done
files=$(find "$work/out/one" -type f | wc -l)
m1=$(printf '%s\n' "${one[@]}" | median)
m4=$(printf '%s\n' "${four[@]}" | median)
printf '%d diagrams: one run --jobs 2 median %.2f s; 4 shards through Slurm median %.2f s (%.2fx)\n' \
  "$files" "$m1" "$m4" "$(echo "$m4 / $m1" | bc -l)"
