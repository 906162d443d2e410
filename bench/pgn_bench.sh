#!/usr/bin/env bash
# PGN throughput: `vorlix games` and `vorlix replay` against `cat` and pgn-extract
# on a large file built from the real sample games, in two layouts (all move
# text of a game on one line; short lines). Run by hand:
#   bash bench/pgn_bench.sh [path/to/vorlix] [size-in-MB]
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
VORLIX="${1:-$ROOT/build/bin/vorlix}"
SIZE_MB="${2:-100}"
SAMPLES="${VORLIX_SAMPLES:-$ROOT/../shared/samples}"
PGN_EXTRACT="$(command -v pgn-extract || echo /usr/games/pgn-extract)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

[ -x "$VORLIX" ] || { echo "no vorlix binary at $VORLIX" >&2; exit 2; }
[ -x "$PGN_EXTRACT" ] || { echo "pgn-extract is not installed" >&2; exit 2; }

# Normalises the sample games: tags, blank line, move text in the chosen layout, blank line.
layout() {  # $1 = oneline | short
  awk -v mode="$1" '
    function flush() {
      if (moves == "") return
      gsub(/  +/, " ", moves); sub(/^ /, "", moves); sub(/ $/, "", moves)
      if (mode == "oneline") print moves
      else {
        line = ""; n = split(moves, w, " ")
        for (i = 1; i <= n; i++) {
          if (length(line) + length(w[i]) + 1 > 79) { print line; line = w[i] }
          else line = (line == "" ? w[i] : line " " w[i])
        }
        if (line != "") print line
      }
      print ""; moves = ""
    }
    { sub(/\r$/, "") }
    /^\[/ { if (moves != "") flush(); print; intags = 1; next }
    /^[ \t]*$/ { if (intags) { print ""; intags = 0 } next }
    { intags = 0; moves = moves " " $0 }
    END { flush() }
  ' "$SAMPLES/benchmark.pgn" "$SAMPLES/Morphy_ANSI.pgn" "$SAMPLES/promoting.pgn" "$SAMPLES/0004.pgn"
}

build() {  # $1 = layout, $2 = output file; repeats the games up to the wanted size
  layout "$1" > "$WORK/unit.pgn"
  local unit; unit=$(stat -c %s "$WORK/unit.pgn")
  local copies=$(( (SIZE_MB * 1024 * 1024 + unit - 1) / unit ))
  for ((i = 0; i < copies; i++)); do cat "$WORK/unit.pgn"; done > "$2"
}

# Runs a command with its output discarded; sets WALL and CPU (user + system) in seconds.
# CPU time is the fairer figure on a shared machine; both are printed.
measure() {
  /usr/bin/time -o "$WORK/time" -f '%e %U %S' "$@" > /dev/null 2>&1 || true
  read -r WALL user sys < "$WORK/time"
  CPU=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }'; }

row() {  # label, cpu, wall
  printf '  %-28s cpu %7.2f s   wall %7.2f s\n' "$1" "$2" "$3"
}

echo 'White "No Such Player Anywhere"' > "$WORK/nomatch.tags"

for mode in oneline short; do
  file="$WORK/$mode.pgn"
  build "$mode" "$file"
  size=$(stat -c %s "$file")
  cat "$file" > /dev/null  # warm the page cache

  measure cat "$file";                                                  c_cat=$CPU;    w_cat=$WALL
  measure "$VORLIX" games "$file";                                      c_games=$CPU;  w_games=$WALL
  measure "$PGN_EXTRACT" -s -t "$WORK/nomatch.tags" -o /dev/null "$file"; c_tags=$CPU;   w_tags=$WALL
  measure "$VORLIX" replay "$file";                                     c_replay=$CPU; w_replay=$WALL
  measure "$PGN_EXTRACT" -s -r "$file";                                 c_check=$CPU;  w_check=$WALL
  measure "$PGN_EXTRACT" -s --fencomments -o /dev/null "$file";         c_fen=$CPU;    w_fen=$WALL
  rss_kb=$(/usr/bin/time -f %M "$VORLIX" games "$file" 2>&1 >/dev/null | tail -1)
  games=$("$VORLIX" games "$file" | wc -l)

  echo "== $mode: $(( size / 1024 / 1024 )) MB, $games games"
  row "cat" "$c_cat" "$w_cat"
  row "vorlix games" "$c_games" "$w_games"
  row "pgn-extract -t (no match)" "$c_tags" "$w_tags"
  row "vorlix replay" "$c_replay" "$w_replay"
  row "pgn-extract -r" "$c_check" "$w_check"
  row "pgn-extract --fencomments" "$c_fen" "$w_fen"
  echo "  games:  $(ratio "$c_tags" "$c_games") x faster than the pgn-extract tag pass (cpu; wall $(ratio "$w_tags" "$w_games") x)," \
       "$(ratio "$w_games" "$w_cat") x the wall time of cat"
  echo "  replay: $(ratio "$c_fen" "$c_replay") x faster than pgn-extract --fencomments (wall $(ratio "$w_fen" "$w_replay") x)," \
       "$(ratio "$c_check" "$c_replay") x faster than pgn-extract -r (wall $(ratio "$w_check" "$w_replay") x)"
  echo "  games peak memory: $(( rss_kb / 1024 )) MB = $(ratio "$(( rss_kb * 1024 ))" "$size") x the file size"
  rm -f "$file"
done
