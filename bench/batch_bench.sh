#!/usr/bin/env bash
# Batch diagrams: every position of real games to 256-colour GIFs with
# `vorlix batch` (--jobs 1 and --jobs 2) against a shell loop that runs
# `vorlix render` once per position, all in one run. Prints the median of the
# runs (wall time and processor time) and diagrams per second.
#
#   bash bench/batch_bench.sh [path/to/vorlix] [games] [runs] [loop-sample]
#
# Defaults: build/bin/vorlix, 1000 games of bench10-oneline.pgn.gz, 5 runs,
# 200 positions for the (slow) shell loop, whose rate is per diagram.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
vorlix=${1:-$here/build/bin/vorlix}
games=${2:-1000}
runs=${3:-5}
sample=${4:-200}
style=$(dirname "$vorlix")/default.vxd
[ -f "$style" ] || style=$here/resources/default.vxd
work=$(mktemp -d /tmp/vorlix-batch-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The first N games, and the placement of each of their positions.
{ zcat "$here/../shared/samples/bench10-oneline.pgn.gz" || true; } |
  awk -v n="$games" '/^\[Event /{c++} c>n{exit} {print}' > "$work/games.pgn"
"$vorlix" replay "$work/games.pgn" | grep -v '^game \|^error: ' | cut -d' ' -f1 > "$work/fens"
positions=$(wc -l < "$work/fens")
echo "games: $games, positions: $positions, style: $style, runs: $runs"
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }


run_batch() {
  local jobs=$1 walls=() cpus=()
  for ((r = 0; r < runs; r++)); do
    rm -rf "$work/out"; mkdir "$work/out"
    read -r wall cpu < <(
      start=$(date +%s.%N)
      /usr/bin/time -f '%U %S' -o "$work/time" "$vorlix" batch "$work/games.pgn" -o "$work/out/X.gif" \
        --positions entire --colors 256 --style "$style" --jobs "$jobs" > /dev/null
      end=$(date +%s.%N)
      echo "$(echo "$end - $start" | bc) $(awk '{print $1 + $2}' "$work/time")")
    walls+=("$wall"); cpus+=("$cpu")
  done
  written=$(ls "$work/out" | wc -l)
  w=$(printf '%s\n' "${walls[@]}" | median); c=$(printf '%s\n' "${cpus[@]}" | median)
  printf 'batch --jobs %d: %d files, median wall %.2f s (%.0f diagrams/s), median CPU %.2f s (%.3f ms/diagram)\n' \
    "$jobs" "$written" "$w" "$(echo "$positions / $w" | bc -l)" "$c" "$(echo "$c * 1000 / $positions" | bc -l)"
  eval "wall_$jobs=$w"
  eval "cpu_$jobs=$(echo "$c * 1000 / $positions" | bc -l)"
}

run_loop() {
  shuf -n "$sample" --random-source=<(yes) "$work/fens" > "$work/sample"
  local walls=() cpus=()
  export vorlix style work
  for ((r = 0; r < runs; r++)); do
    start=$(date +%s.%N)
    /usr/bin/time -f '%U %S' -o "$work/time" bash -c '
      while read -r fen; do
        "$vorlix" render --vxd "$style" --fen "$fen" --colors 256 -o "$work/loop.gif"
      done < "$work/sample"'
    end=$(date +%s.%N)
    walls+=("$(echo "$end - $start" | bc)")
    cpus+=("$(awk '{print $1 + $2}' "$work/time")")
  done
  w=$(printf '%s\n' "${walls[@]}" | median); c=$(printf '%s\n' "${cpus[@]}" | median)
  loop_rate=$(echo "$sample / $w" | bc -l)
  loop_cpu=$(echo "$c * 1000 / $sample" | bc -l)
  printf 'shell loop of vorlix render: %d positions, median wall %.2f s (%.1f diagrams/s), CPU %.2f ms/diagram\n' \
    "$sample" "$w" "$loop_rate" "$loop_cpu"
}

run_batch 1
run_batch 2
run_loop
printf 'wall-time ratio to the loop: --jobs 1 %.0fx, --jobs 2 %.0fx\n' \
  "$(echo "$positions / $wall_1 / $loop_rate" | bc -l)" "$(echo "$positions / $wall_2 / $loop_rate" | bc -l)"
printf 'CPU-time ratio to the loop (per diagram): --jobs 1 %.0fx, --jobs 2 %.0fx\n' \
  "$(echo "$loop_cpu / $cpu_1" | bc -l)" "$(echo "$loop_cpu / $cpu_2" | bc -l)"
echo "machine load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
