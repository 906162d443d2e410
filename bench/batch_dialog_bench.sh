#!/usr/bin/env bash
# Batch dialogs against the command line: 1,000 real positions to 256-colour
# GIFs through the EPD batch dialog's road (bench_batch_dialog: the dialog
# offscreen, its run on its thread) and through `vorlix batch --jobs 1`, from
# the same style. Checks that both write the same files byte for byte and
# prints the medians of the runs and the ratio (target: the dialog within 1.5x).
#
#   bash bench/batch_dialog_bench.sh GAMES.pgn[.gz] [build-dir] [positions] [runs]
#
# GAMES is a file of real games, plain or compressed with gzip; its first
# positions (every position of each game, from the start) are taken.
# Defaults: build, 1000 positions, 5 runs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source_games=${1:?usage: bash bench/batch_dialog_bench.sh GAMES.pgn[.gz] [build-dir] [positions] [runs]}
build=${2:-$here/build}
count=${3:-1000}
runs=${4:-5}
vorlix=$build/bin/vorlix
dialog=$build/bench/bench_batch_dialog
[ -x "$dialog" ] || dialog=$build/bin/bench_batch_dialog
[ -r "$source_games" ] || { echo "batch_dialog_bench.sh: cannot read $source_games" >&2; exit 2; }
[ -x "$vorlix" ] && [ -x "$dialog" ] || { echo "build vorlix and bench_batch_dialog first" >&2; exit 2; }
style=$here/resources/default.vxd

work=$(mktemp -d /tmp/vorlix-dialog-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The first positions of the games as EPD records (placement, side, castling, en passant).
{ gzip -dcf "$source_games" || true; } | awk '/^\[Event /{c++} c<=200 {print}' > "$work/games.pgn"
# Exit status 1 only says that some game stopped at a bad move; the rest is written.
"$vorlix" replay "$work/games.pgn" > "$work/replay" || [ $? -eq 1 ]
grep -v '^game \|^error: ' "$work/replay" | awk -v n="$count" 'NR<=n {print $1" "$2" "$3" "$4";"}' > "$work/positions.epd"
positions=$(wc -l < "$work/positions.epd")
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || echo unknown)
echo "data: $positions positions of $(basename "$source_games"); style: default.vxd; 256-colour GIF; build type $build_type"
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); $runs runs, medians of wall time"

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Runs a command; prints "wall cpu" (cpu = user + system), the wall time as the program reports it when it does.
timed() {
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" > "$work/said"
  awk '{print $1, $2 + $3}' "$work/time"
}

dialog_walls=() dialog_cpus=() command_walls=() command_cpus=()
for ((r = 0; r < runs; r++)); do
  rm -rf "$work/dialog" "$work/command"; mkdir "$work/dialog" "$work/command"
  read -r wall cpu < <(timed "$dialog" "$work/positions.epd" "$work/dialog" "$style")
  read -r status seconds < "$work/said"
  [ "$status" = "Done." ] || { echo "dialog run ended with: $status" >&2; exit 1; }
  dialog_walls+=("$seconds"); dialog_cpus+=("$cpu")
  read -r wall cpu < <(timed "$vorlix" batch "$work/positions.epd" -o "$work/command/D.gif" --style "$style" --jobs 1)
  command_walls+=("$wall"); command_cpus+=("$cpu")
done
rm -f "$work/dialog/settings.ini"
diff -r "$work/dialog" "$work/command" > /dev/null && same="byte-identical" || same="DIFFERENT"
dw=$(printf '%s\n' "${dialog_walls[@]}" | median); dc=$(printf '%s\n' "${dialog_cpus[@]}" | median)
cw=$(printf '%s\n' "${command_walls[@]}" | median); cc=$(printf '%s\n' "${command_cpus[@]}" | median)
printf 'dialog road (from Start to Done.): wall %.2f s (%.0f diagrams/s), CPU %.2f s (process, start-up included)\n' \
  "$dw" "$(echo "$positions / $dw" | bc -l)" "$dc"
printf 'vorlix batch --jobs 1:            wall %.2f s (%.0f diagrams/s), CPU %.2f s\n' \
  "$cw" "$(echo "$positions / $cw" | bc -l)" "$cc"
printf 'ratio dialog / command line: wall %.2f, CPU %.2f (target <= 1.5); files: %s\n' \
  "$(echo "$dw / $cw" | bc -l)" "$(echo "$dc / $cc" | bc -l)" "$same"
