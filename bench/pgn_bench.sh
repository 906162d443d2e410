#!/usr/bin/env bash
# PGN throughput and start-up: `vorlix games` and `vorlix replay` against `cat`
# and pgn-extract, on two data sets of about 100 MB each:
#   real       the games of GAMES (plain or gzip; for example bench10-oneline.pgn.gz,
#              real games with move text on one line) repeated to the wanted size;
#   synthetic  the small game files of tests/data rewritten with move text in lines
#              of at most 79 characters, repeated to the wanted size.
# Every figure is the median of RUNS runs (default 5). Run by hand:
#   bash bench/pgn_bench.sh GAMES.pgn.gz [path/to/vorlix] [size-in-MB]
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
GAMES="${1:?usage: bash bench/pgn_bench.sh GAMES.pgn.gz [path/to/vorlix] [size-in-MB]}"
VORLIX="$(realpath "${2:-$ROOT/build/bin/vorlix}")"
SIZE_MB="${3:-100}"
RUNS="${RUNS:-5}"
SAMPLES="$ROOT/tests/data"
[ -r "$GAMES" ] || { echo "pgn_bench.sh: cannot read $GAMES" >&2; exit 2; }
PGN_EXTRACT="$(command -v pgn-extract || echo /usr/games/pgn-extract)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

[ -x "$VORLIX" ] || { echo "no vorlix binary at $VORLIX" >&2; exit 2; }
[ -x "$PGN_EXTRACT" ] || { echo "pgn-extract is not installed" >&2; exit 2; }
[ "$RUNS" -ge 1 ] || { echo "RUNS must be at least 1" >&2; exit 2; }

# The build type from the CMake cache of the build folder the binary comes from.
build_type() {
  local cache; cache="$(dirname "$(dirname "$VORLIX")")/CMakeCache.txt"
  if [ -f "$cache" ]; then sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache"; else echo unknown; fi
}

# The small sample games: tags, blank line, move text in lines of at most 79 characters.
short_lines() {
  awk '
    function flush() {
      if (moves == "") return
      gsub(/  +/, " ", moves); sub(/^ /, "", moves); sub(/ $/, "", moves)
      line = ""; n = split(moves, w, " ")
      for (i = 1; i <= n; i++) {
        if (length(line) + length(w[i]) + 1 > 79) { print line; line = w[i] }
        else line = (line == "" ? w[i] : line " " w[i])
      }
      if (line != "") print line
      print ""; moves = ""
    }
    { sub(/\r$/, "") }
    /^\[/ { if (moves != "") flush(); print; intags = 1; next }
    /^[ \t]*$/ { if (intags) { print ""; intags = 0 } next }
    { intags = 0; moves = moves " " $0 }
    END { flush() }
  ' "$SAMPLES/benchmark.pgn" "$SAMPLES/Morphy_ANSI.pgn" "$SAMPLES/promoting.pgn" "$SAMPLES/0004.pgn"
}

repeat_to_size() {  # unit file, output file
  local unit; unit=$(stat -c %s "$1")
  local copies=$(( (SIZE_MB * 1024 * 1024 + unit - 1) / unit ))
  for ((i = 0; i < copies; i++)); do cat "$1"; done > "$2"
}

# Runs a command RUNS times with its output discarded; sets WALL and CPU
# (user + system) to the medians in seconds, and RSS to the largest peak in kB.
# Timed by the kernel's accounting of the child, to the microsecond.
measure() {
  read -r WALL CPU RSS < <(python3 - "${TIMES:-$RUNS}" "$@" <<'PY'
import os, resource, statistics, subprocess, sys, time
runs, cmd = int(sys.argv[1]), sys.argv[2:]
walls, cpus, rss = [], [], 0
for _ in range(runs):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    t0 = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    walls.append(time.perf_counter() - t0)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpus.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
    rss = max(rss, after.ru_maxrss)
print(f"{statistics.median(walls):.4f} {statistics.median(cpus):.4f} {rss}")
PY
)
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }'; }

row() {  # label, cpu, wall
  printf '  %-34s cpu %8.4f s   wall %8.4f s\n' "$1" "$2" "$3"
}

echo "vorlix: $VORLIX (build type $(build_type)); pgn-extract: $PGN_EXTRACT"
echo "medians of $RUNS runs; $(nproc) cores; load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

# Start-up: both programs on an empty file, median of 21 runs, milliseconds.
: > "$WORK/empty.pgn"
startup() {  # median wall time of 21 runs in milliseconds
  TIMES=21 measure "$@"
  awk -v w="$WALL" 'BEGIN { printf "%.2f", w * 1000 }'
}
echo "== start-up on an empty file (wall, median of 21 runs)"
echo "  vorlix games:           $(startup "$VORLIX" games "$WORK/empty.pgn") ms"
echo "  vorlix replay:          $(startup "$VORLIX" replay "$WORK/empty.pgn") ms"
echo "  pgn-extract tag pass:   $(startup "$PGN_EXTRACT" -s -t /dev/null -o /dev/null "$WORK/empty.pgn") ms"
libs=$(LD_TRACE_LOADED_OBJECTS=1 "$VORLIX" 2>/dev/null | grep -c '=>' || true)
qt=$(LD_TRACE_LOADED_OBJECTS=1 "$VORLIX" 2>/dev/null | grep -c 'libQt' || true)
echo "  shared libraries loaded by vorlix: $libs, of them Qt: $qt"

echo 'White "No Such Player Anywhere"' > "$WORK/nomatch.tags"

for set in real synthetic; do
  file="$WORK/$set.pgn"
  if [ "$set" = real ]; then
    gzip -dcf "$GAMES" > "$WORK/unit.pgn"
  else
    short_lines > "$WORK/unit.pgn"
  fi
  repeat_to_size "$WORK/unit.pgn" "$file"
  size=$(stat -c %s "$file")
  cat "$file" > /dev/null  # warm the page cache
  games=$("$VORLIX" games "$file" | wc -l)
  [ "$("$VORLIX" replay "$file" --jobs 2 | md5sum)" = "$("$VORLIX" replay "$file" --jobs 1 | md5sum)" ] ||
    echo "  WARNING: replay output differs between one and two jobs"
  positions=$("$VORLIX" replay "$file" | grep -cv '^game \|^error: ' || true)
  plies=$(( positions - games ))

  measure cat "$file";                                                  c_cat=$CPU;    w_cat=$WALL
  measure "$VORLIX" games "$file" --jobs 1;                             c_games=$CPU;  w_games=$WALL; rss=$RSS
  measure "$VORLIX" games "$file" --jobs 2;                             c_games2=$CPU; w_games2=$WALL
  measure "$PGN_EXTRACT" -s -t "$WORK/nomatch.tags" -o /dev/null "$file"; c_tags=$CPU;   w_tags=$WALL
  measure "$VORLIX" replay "$file" --jobs 1;                            c_replay=$CPU; w_replay=$WALL; rss_r=$RSS
  measure "$VORLIX" replay "$file" --jobs 2;                            c_replay2=$CPU; w_replay2=$WALL; rss_r2=$RSS
  measure "$PGN_EXTRACT" -s -r "$file";                                 c_check=$CPU;  w_check=$WALL
  measure "$PGN_EXTRACT" -s --fencomments -o /dev/null "$file";         c_fen=$CPU;    w_fen=$WALL

  echo "== $set: $(( size / 1024 / 1024 )) MB, $games games, $plies plies (load average now $(cut -d' ' -f1 /proc/loadavg))"
  row "cat" "$c_cat" "$w_cat"
  row "vorlix games --jobs 1" "$c_games" "$w_games"
  row "vorlix games --jobs 2" "$c_games2" "$w_games2"
  row "pgn-extract -t (no match)" "$c_tags" "$w_tags"
  row "vorlix replay --jobs 1" "$c_replay" "$w_replay"
  row "vorlix replay --jobs 2" "$c_replay2" "$w_replay2"
  row "pgn-extract -r" "$c_check" "$w_check"
  row "pgn-extract --fencomments" "$c_fen" "$w_fen"
  echo "  games:  one job $(ratio "$c_tags" "$c_games") x faster than the pgn-extract tag pass in cpu time;" \
       "two jobs $(ratio "$w_tags" "$w_games2") x faster in wall time; $(ratio "$w_games2" "$w_cat") x the wall time of cat"
  echo "  replay: two jobs $(ratio "$w_fen" "$w_replay2") x faster than pgn-extract --fencomments and" \
       "$(ratio "$w_check" "$w_replay2") x faster than pgn-extract -r in wall time;" \
       "one job $(ratio "$c_fen" "$c_replay") x and $(ratio "$c_check" "$c_replay") x in cpu time"
  echo "  replay: $(awk -v c="$c_replay" -v p="$plies" 'BEGIN { printf "%.0f", (p > 0 ? c * 1e9 / p : 0) }') ns of cpu per ply on one job"
  echo "  peak memory: games $(( rss / 1024 )) MB, replay $(( rss_r / 1024 )) MB (two jobs $(( rss_r2 / 1024 )) MB)," \
       "for a file of $(( size / 1024 / 1024 )) MB"
  rm -f "$file"
done
