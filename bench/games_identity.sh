#!/usr/bin/env bash
# Compares `vorlix games` of two binaries (stdout, stderr, exit code) on the
# sample files, a large PGN file with one and two jobs, and mutated copies of
# it: CR and CR LF line ends, a byte-order mark, Windows-1252 bytes late in
# move text, brace comments spanning blank lines with tag-like lines inside,
# escape lines, and random byte edits of a slice.
# Usage: bash bench/games_identity.sh OLD-VORLIX NEW-VORLIX [BIG.pgn]
set -u
old=$1 new=$2 big=${3:-}
samples=${VORLIX_SAMPLES_DIR:-$(cd "$(dirname "$0")/.." && pwd)/tests/data}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

compare() {  # compare FILE [ARGS...]
    local f=$1; shift
    "$old" games "$@" "$f" >"$work/o.out" 2>"$work/o.err"; local orc=$?
    "$new" games "$@" "$f" >"$work/n.out" 2>"$work/n.err"; local nrc=$?
    sed -i "s#$work#W#g" "$work/o.err" "$work/n.err"
    if [ $orc != $nrc ] || ! cmp -s "$work/o.out" "$work/n.out" || ! cmp -s "$work/o.err" "$work/n.err"; then
        echo "DIFFERS: $f $* (exit $orc vs $nrc)"; fail=1
    else
        echo "same: $(basename "$f") $* ($(wc -l <"$work/o.out") lines, exit $orc)"
    fi
}

n=0
for f in "$samples"/*; do
    case $f in
        *.gz) n=$((n+1)); gunzip -c "$f" >"$work/s$n.pgn"; compare "$work/s$n.pgn" --jobs 1; compare "$work/s$n.pgn" --jobs 2 ;;
        *) compare "$f" --jobs 1 ;;
    esac
done

if [ -z "$big" ]; then big="$work/s1.pgn"; fi
compare "$big" --jobs 1
compare "$big" --jobs 2

head -c 3000000 "$big" >"$work/slice.pgn"
sed 's/$/\r/' "$work/slice.pgn" >"$work/crlf.pgn"; compare "$work/crlf.pgn" --jobs 1
tr '\n' '\r' <"$work/slice.pgn" >"$work/cr.pgn"; compare "$work/cr.pgn" --jobs 1
{ printf '\xEF\xBB\xBF'; cat "$work/slice.pgn"; } >"$work/bom.pgn"; compare "$work/bom.pgn" --jobs 1
# Windows-1252 bytes late in long move lines, and in every tenth tag value.
awk 'NR%7==0 && length($0)>60 {$0=$0 " {caf\351 \344}"} NR%10==3 && /^\[/ {sub(/"\]/, "\374\"]")} {print}' \
    "$work/slice.pgn" >"$work/cp1252.pgn"; compare "$work/cp1252.pgn" --jobs 1
awk 'NR%13==0 && length($0)>60 {print "{ a comment"; print ""; print "[Event \"inside\"]"; print ""; print "; not a comment"; print "[%clk 0:01:00] }"} NR%17==0 {print "% escape line"} NR%19==0 && /^\[/ {print; print "{one} [Site \"x\"] 1. e4 ; tail {"; next} {print}' \
    "$work/slice.pgn" >"$work/comments.pgn"; compare "$work/comments.pgn" --jobs 1
awk 'NR%23==0 && /^$/ {print "1. d4 d5 *"; print ""} {print}' "$work/slice.pgn" >"$work/notags.pgn"; compare "$work/notags.pgn" --jobs 1
# Tag names in other cases, followed by a tab or a quote, longer names sharing a prefix.
awk 'BEGIN{srand(7)} /^\[/ {r=int(rand()*8);
    if (r==0) $0=tolower($0); else if (r==1) $0=toupper($0); else if (r==2) sub(/ "/, "\t\"");
    else if (r==3) sub(/ "/, "\""); else if (r==4) sub(/Elo/, "EloFide"); else if (r==5) sub(/^\[/, "[[");
    else if (r==6) sub(/"\]/, "\"] [Annotator \"a;b{c}\"] 1. e4");} {print}' \
    "$work/slice.pgn" >"$work/tags.pgn"; compare "$work/tags.pgn" --jobs 1
for seed in 1 2 3 4 5 6; do
    head -c 1000000 "$work/slice.pgn" | python3 -c '
import random, sys
seed = int(sys.argv[1]); random.seed(seed)
b = bytearray(sys.stdin.buffer.read())
pool = b"[]{};%\"\r\n\t\x00\x80\xe9\xc3 ae1"
for _ in range(200 * seed):
    b[random.randrange(len(b))] = random.choice(pool) if seed % 2 else random.randrange(256)
sys.stdout.buffer.write(b)' $seed >"$work/rand$seed.pgn"
    compare "$work/rand$seed.pgn" --jobs 1
    compare "$work/rand$seed.pgn" --jobs 2
done
exit $fail
