#!/usr/bin/env bash
# GIF files of real diagrams: `vorlix batch` against ImageMagick writing the
# same pixels, at 2, 16 and 256 colours. Prints per depth the processor time
# of the batch and of ImageMagick (medians of the runs), the total bytes of
# both, how many of our files are larger than ImageMagick's for the same
# diagram, and whether a sample of the files decode to the same pixels.
#
#   bash bench/gif_size_bench.sh GAMES.pgn.gz [path/to/vorlix] [diagrams] [runs]
#
# Defaults: build/bin/vorlix, 500 diagrams, 5 runs. The diagrams are
# positions spread evenly over the games of the file (one every few plies,
# repeated placements dropped), drawn with resources/default.vxd, no header
# or footer. ImageMagick gets our GIF files, so it codes exactly our pixels:
# once as one `mogrify` process over all files of a depth (MAGICK_THREAD_LIMIT=1),
# and once as one `convert` process per file, as a script would run it.
# BASELINE=path/to/older/vorlix measures an older build in the same run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source_games=${1:?usage: bash bench/gif_size_bench.sh GAMES.pgn.gz [path/to/vorlix] [diagrams] [runs]}
vorlix=${2:-$here/build/bin/vorlix}
count=${3:-500}
runs=${4:-5}
baseline=${BASELINE:-}
convert=${CONVERT:-/usr/local/bin/convert}
[ -x "$convert" ] || convert=$(command -v convert)
mogrify=$(command -v mogrify)
style=$here/resources/default.vxd
[ -r "$source_games" ] || { echo "gif_size_bench.sh: cannot read $source_games" >&2; exit 2; }

build_type() {
  local cache; cache="$(dirname "$(dirname "$1")")/CMakeCache.txt"
  if [ -f "$cache" ]; then sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache"; else echo unknown; fi
}

work=$(mktemp -d /tmp/vorlix-gif-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
out=$work/out
[ -d /dev/shm ] && out=$(mktemp -d /dev/shm/vorlix-gif-bench.XXXXXX) && trap 'rm -rf "$work" "$out"' EXIT

# Positions of the first games, every 7th ply, each placement once, as EPD.
{ gzip -dcf "$source_games" || true; } | awk '/^\[Event /{c++} c>2000{exit} {print}' > "$work/games.pgn"
# Exit status 1 only says that some game stopped at a bad move; the rest is written.
{ "$vorlix" replay "$work/games.pgn" || [ $? -eq 1 ]; } > "$work/fens"
grep -v '^game \|^error: ' "$work/fens" | awk -v n="$count" 'NR % 7 == 3 && !seen[$1]++ && ++k <= n' |
  awk '{print $1 " " $2 " " $3 " " $4 " id \"d" NR "\";"}' > "$work/positions.epd"
count=$(wc -l < "$work/positions.epd")

echo "data: $count positions of $(basename "$source_games") (every 7th ply of its first games); style default.vxd"
echo "vorlix: $vorlix (build type $(build_type "$vorlix"))${baseline:+; baseline: $baseline (build type $(build_type "$baseline"))}"
echo "ImageMagick: $("$convert" -version | head -1 | cut -d' ' -f2-3); files on $(df --output=fstype "$out" | tail -1)"
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg) at the start; $runs runs, medians"

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Processor time (user + system) of one command, in seconds.
cpu_of() {
  /usr/bin/time -f '%U %S' -o "$work/time" "$@" > /dev/null 2>&1 || true
  awk '{print $1 + $2}' "$work/time"
}

# Median processor time of `runs` batch runs to folder $2 at depth $3.
batch_cpu() {
  local program=$1 folder=$2 colors=$3 times=()
  for ((r = 0; r < runs; r++)); do
    rm -rf "$folder"; mkdir -p "$folder"
    times+=("$(cpu_of "$program" batch "$work/positions.epd" -o "$folder/X.gif" --colors "$colors" \
      --style "$style" --header none --footer none --jobs 1)")
  done
  printf '%s\n' "${times[@]}" | median
}

total_bytes() { find "$1" -type f -name '*.gif' -printf '%s\n' | awk '{s += $1} END {print s + 0}'; }

for colors in 2 16 256; do
  ours=$out/ours$colors magick=$out/magick$colors
  ours_cpu=$(batch_cpu "$vorlix" "$ours" "$colors")
  if [ -n "$baseline" ]; then
    base_cpu=$(batch_cpu "$baseline" "$out/base$colors" "$colors")
    base_bytes=$(total_bytes "$out/base$colors")
  fi
  times=()
  for ((r = 0; r < runs; r++)); do
    rm -rf "$magick"; mkdir -p "$magick"
    times+=("$(cpu_of env MAGICK_THREAD_LIMIT=1 "$mogrify" -path "$magick" -format gif "$ours"/*.gif)")
  done
  mogrify_cpu=$(printf '%s\n' "${times[@]}" | median)
  # One convert process per file: a shell loop, timed as a whole.
  times=()
  for ((r = 0; r < runs; r++)); do
    times+=("$(cpu_of bash -c 'for f in "$1"/*.gif; do MAGICK_THREAD_LIMIT=1 "$2" "$f" "$3/$(basename "$f")"; done' \
      _ "$ours" "$convert" "$magick")")
  done
  convert_cpu=$(printf '%s\n' "${times[@]}" | median)

  ours_bytes=$(total_bytes "$ours") magick_bytes=$(total_bytes "$magick")
  larger=0 worst=0
  for f in "$ours"/*.gif; do
    a=$(stat -c %s "$f") b=$(stat -c %s "$magick/$(basename "$f")")
    if [ "$a" -gt "$b" ]; then larger=$((larger + 1)); [ $((a - b)) -gt "$worst" ] && worst=$((a - b)); fi
  done
  # Every 10th file: both decode to the same pixels (transparency included).
  differ=0 checked=0
  for f in $(ls "$ours"/*.gif | awk 'NR % 10 == 1'); do
    checked=$((checked + 1))
    [ "$("$convert" "$f" rgba:- | md5sum)" = "$("$convert" "$magick/$(basename "$f")" rgba:- | md5sum)" ] ||
      differ=$((differ + 1))
  done

  printf '%3d colours: vorlix batch %.3f s cpu (%.3f ms/diagram), %d bytes (%.0f per file)\n' "$colors" \
    "$ours_cpu" "$(echo "$ours_cpu * 1000 / $count" | bc -l)" "$ours_bytes" "$(echo "$ours_bytes / $count" | bc -l)"
  if [ -n "$baseline" ]; then
    printf '             baseline     %.3f s cpu (%.3f ms/diagram), %d bytes (%.0f per file)\n' \
      "$base_cpu" "$(echo "$base_cpu * 1000 / $count" | bc -l)" "$base_bytes" "$(echo "$base_bytes / $count" | bc -l)"
  fi
  printf '             ImageMagick  %d bytes (%.0f per file); our files larger: %d (by at most %d bytes)\n' \
    "$magick_bytes" "$(echo "$magick_bytes / $count" | bc -l)" "$larger" "$worst"
  printf '             mogrify, one process: %.3f s cpu (%.1fx ours); convert per file: %.3f s cpu (%.1fx ours)\n' \
    "$mogrify_cpu" "$(echo "$mogrify_cpu / $ours_cpu" | bc -l)" "$convert_cpu" "$(echo "$convert_cpu / $ours_cpu" | bc -l)"
  printf '             same pixels in %d of %d files checked\n' "$((checked - differ))" "$checked"
done
echo "machine load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
