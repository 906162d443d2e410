#!/usr/bin/env bash
# What the game-state options cost a batch run: `vorlix batch` of the first
# 1,000 games of a file to GIF and to SVG, with --mover-mark, a caption
# naming the side to move, --last-move and --check, against the same run
# without them. Runs are paired (without, then with), 5 pairs a format; it
# prints the medians (wall time and processor time) and their ratios
# (target: at most 1.2x).
#
#   bash bench/batch_options.sh GAMES.pgn[.gz] [path/to/vorlix] [games] [pairs]
#
# Defaults: build/bin/vorlix, 1000 games, 5 pairs. Files go to /dev/shm when it
# has room (OUT_DIR sets another folder), so the file system is not measured.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source_games=${1:?usage: bash bench/batch_options.sh GAMES.pgn[.gz] [path/to/vorlix] [games] [pairs]}
vorlix=${2:-$here/build/bin/vorlix}
games=${3:-1000}
pairs=${4:-5}
[ -r "$source_games" ] || { echo "batch_options.sh: cannot read $source_games" >&2; exit 2; }
style=$here/resources/default.vxd
options=(--mover-mark --caption "{n}. {side} to move" --last-move --check)

build_type() {
  local cache; cache="$(dirname "$(dirname "$vorlix")")/CMakeCache.txt"
  if [ -f "$cache" ]; then sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache"; else echo unknown; fi
}
out_parent() {
  if [ -n "${OUT_DIR:-}" ]; then echo "$OUT_DIR"; return; fi
  if [ -d /dev/shm ] && [ "$(df -k --output=avail /dev/shm | tail -1)" -gt 1000000 ]; then echo /dev/shm; else echo /tmp; fi
}

work=$(mktemp -d /tmp/vorlix-options-bench.XXXXXX)
out=$(mktemp -d "$(out_parent)/vorlix-options-out.XXXXXX")
trap 'rm -rf "$work" "$out"' EXIT
{ gzip -dcf "$source_games" || true; } | awk -v n="$games" '/^\[Event /{c++} c>n{exit} {print}' > "$work/games.pgn"

echo "data: first $games games of $(basename "$source_games"); style: $style; default positions, --jobs 1"
echo "vorlix: $vorlix (build type $(build_type))"
echo "machine: $(nproc) cores, load at the start $(cut -d' ' -f1-3 /proc/loadavg)"

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# One run into a fresh folder: prints "wall cpu" (cpu = user + system of the child).
timed_batch() {
  local format=$1 start end
  shift
  rm -rf "$out/run"; mkdir "$out/run"
  start=$(date +%s.%N)
  /usr/bin/time -f '%U %S' -o "$work/time" "$vorlix" batch "$work/games.pgn" -o "$out/run/X.$format" \
    --style "$style" --jobs 1 "$@" > /dev/null || [ $? -eq 1 ]  # 1: a game was cut short
  end=$(date +%s.%N)
  echo "$(echo "$end - $start" | bc) $(awk '{print $1 + $2}' "$work/time")"
}

for format in gif svg; do
  plain_wall=() plain_cpu=() with_wall=() with_cpu=()
  for ((p = 0; p < pairs; p++)); do
    read -r w c < <(timed_batch "$format"); plain_wall+=("$w"); plain_cpu+=("$c")
    read -r w c < <(timed_batch "$format" "${options[@]}"); with_wall+=("$w"); with_cpu+=("$c")
  done
  files=$(find "$out/run" -type f | wc -l)
  pw=$(printf '%s\n' "${plain_wall[@]}" | median); pc=$(printf '%s\n' "${plain_cpu[@]}" | median)
  ww=$(printf '%s\n' "${with_wall[@]}" | median); wc=$(printf '%s\n' "${with_cpu[@]}" | median)
  printf '%s, %d files: without %.3f s wall %.3f s cpu; with %.3f s wall %.3f s cpu; ratio %.2fx wall, %.2fx cpu (target <= 1.2x)\n' \
    "$format" "$files" "$pw" "$pc" "$ww" "$wc" "$(echo "$ww / $pw" | bc -l)" "$(echo "$wc / $pc" | bc -l)"
done
echo "machine load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
