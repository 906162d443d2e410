#!/usr/bin/env bash
# Batch diagrams: every position of real games to 256-colour GIFs with
# `vorlix batch --positions entire` (--jobs 1 and --jobs 2) against a shell
# loop that runs `vorlix render --fen` once per position, all in one run.
# Prints the medians of the runs (wall time and processor time), diagrams per
# second and the ratios to the loop.
#
#   bash bench/batch_bench.sh GAMES.pgn.gz [path/to/vorlix] [games] [runs] [loop-sample]
#
# GAMES is a file of real games, plain or compressed with gzip (for example
# bench10-oneline.pgn.gz, real games with move text on one line).
# Defaults: build/bin/vorlix, the first 1000 games of GAMES,
# 5 runs, 300 positions for the (slow) shell loop: a loop costs the same per
# diagram whatever its length, so it runs on a random sample of the same
# positions and its rate is per diagram.
#
# OUT_DIR sets where the files go (default: a folder in /dev/shm when it is a
# tmpfs with room, else in /tmp). On a disk file system each run first deletes
# the previous run's tens of thousands of files, and ext4 then spends much of
# the next run looking past recently freed inodes: that measures the file
# system, not the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source_games=${1:?usage: bash bench/batch_bench.sh GAMES.pgn.gz [path/to/vorlix] [games] [runs] [loop-sample]}
vorlix=${2:-$here/build/bin/vorlix}
games=${3:-1000}
runs=${4:-5}
sample=${5:-300}
[ -r "$source_games" ] || { echo "batch_bench.sh: cannot read $source_games" >&2; exit 2; }
style=$(dirname "$vorlix")/default.vxd
[ -f "$style" ] || style=$here/resources/default.vxd

build_type() {
  local cache; cache="$(dirname "$(dirname "$vorlix")")/CMakeCache.txt"
  if [ -f "$cache" ]; then sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache"; else echo unknown; fi
}

out_parent() {
  if [ -n "${OUT_DIR:-}" ]; then echo "$OUT_DIR"; return; fi
  # Two runs' files side by side (one and two jobs, compared) need about 2 GB.
  if [ -d /dev/shm ] && [ "$(df -k --output=avail /dev/shm | tail -1)" -gt 3000000 ]; then echo /dev/shm; else echo /tmp; fi
}

work=$(mktemp -d /tmp/vorlix-batch-bench.XXXXXX)
out=$(mktemp -d "$(out_parent)/vorlix-batch-out.XXXXXX")
trap 'rm -rf "$work" "$out"' EXIT

# The first N games, and the placement of each of their positions.
{ gzip -dcf "$source_games" || true; } |
  awk -v n="$games" '/^\[Event /{c++} c>n{exit} {print}' > "$work/games.pgn"
# Exit status 1 only says that some game stopped at a bad move; the rest is written.
{ "$vorlix" replay "$work/games.pgn" || [ $? -eq 1 ]; } | grep -v '^game \|^error: ' | cut -d' ' -f1 > "$work/fens"
positions=$(wc -l < "$work/fens")
echo "data: first $games games of bench10-oneline.pgn.gz, $positions positions; style: $style; 256-colour GIF"
echo "vorlix: $vorlix (build type $(build_type)); files written to $(df --output=fstype "$out" | tail -1) ($out)"
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); $runs runs, medians"

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Times one command: prints "wall cpu" (cpu = user + system of the children).
timed() {
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f '%U %S' -o "$work/time" "$@" > /dev/null || [ $? -eq 1 ]  # 1: a game was cut short
  end=$(date +%s.%N)
  echo "$(echo "$end - $start" | bc) $(awk '{print $1 + $2}' "$work/time")"
}

run_batch() {
  local jobs=$1 walls=() cpus=() wall cpu
  for ((r = 0; r < runs; r++)); do
    rm -rf "$out/jobs$jobs"; mkdir "$out/jobs$jobs"
    read -r wall cpu < <(timed "$vorlix" batch "$work/games.pgn" -o "$out/jobs$jobs/X.gif" \
      --positions entire --colors 256 --style "$style" --jobs "$jobs")
    walls+=("$wall"); cpus+=("$cpu")
  done
  written=$(find "$out/jobs$jobs" -type f | wc -l)
  [ "$written" -eq "$positions" ] || echo "warning: $written files for $positions positions"
  w=$(printf '%s\n' "${walls[@]}" | median); c=$(printf '%s\n' "${cpus[@]}" | median)
  printf 'batch --jobs %d: %d files, median wall %.2f s (%.0f diagrams/s), median CPU %.2f s (%.3f ms/diagram, %.0f diagrams per CPU-second)\n' \
    "$jobs" "$written" "$w" "$(echo "$positions / $w" | bc -l)" "$c" "$(echo "$c * 1000 / $positions" | bc -l)" \
    "$(echo "$positions / $c" | bc -l)"
  eval "wall_$jobs=$w"
  eval "cpu_$jobs=$(echo "$c * 1000 / $positions" | bc -l)"
}

run_loop() {
  shuf -n "$sample" --random-source=<(yes) "$work/fens" > "$work/sample"
  local walls=() cpus=() wall cpu
  export vorlix style work out
  for ((r = 0; r < runs; r++)); do
    read -r wall cpu < <(timed bash -c '
      while read -r fen; do
        "$vorlix" render --vxd "$style" --fen "$fen" --colors 256 -o "$out/loop.gif"
      done < "$work/sample"')
    walls+=("$wall"); cpus+=("$cpu")
  done
  w=$(printf '%s\n' "${walls[@]}" | median); c=$(printf '%s\n' "${cpus[@]}" | median)
  loop_rate=$(echo "$sample / $w" | bc -l)
  loop_cpu=$(echo "$c * 1000 / $sample" | bc -l)
  printf 'shell loop of vorlix render --fen: a sample of %d positions, median wall %.2f s (%.1f diagrams/s), CPU %.2f ms/diagram\n' \
    "$sample" "$w" "$loop_rate" "$loop_cpu"
}

run_batch 1
run_batch 2
if diff -rq "$out/jobs1" "$out/jobs2" > /dev/null; then
  echo "files of --jobs 1 and --jobs 2: identical"
else
  echo "files of --jobs 1 and --jobs 2: DIFFERENT"
fi
rm -rf "$out/jobs1" "$out/jobs2"
run_loop
printf 'wall-time ratio to the loop: --jobs 1 %.0fx, --jobs 2 %.0fx (target: 1,000 diagrams/s and 40x with 2 jobs)\n' \
  "$(echo "$positions / $wall_1 / $loop_rate" | bc -l)" "$(echo "$positions / $wall_2 / $loop_rate" | bc -l)"
printf 'CPU-time ratio to the loop (per diagram): --jobs 1 %.0fx, --jobs 2 %.0fx\n' \
  "$(echo "$loop_cpu / $cpu_1" | bc -l)" "$(echo "$loop_cpu / $cpu_2" | bc -l)"
echo "machine load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
