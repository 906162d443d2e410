#!/usr/bin/env bash
# Printed pages as PDF: a batch of 300 real positions 6 to an A4 page with
# captions and footers, and one diagram alone on a page, each written by
# `vorlix batch` (the same page layout and drawing as the editor's printing).
# Prints the file sizes, the page count, whether pdfinfo opens the file, the
# captions and footers pdftotext finds, and the raster images pdfimages lists.
# With a second vorlix (BASELINE, e.g. a build of an older commit) it measures
# that one side by side.
#
#   bash bench/print_bench.sh [path/to/vorlix] [positions.epd]
#
# Defaults: build/bin/vorlix and tests/data/wacnew.epd (300 positions of
# "Win at Chess", ids WAC.001 .. WAC.300, each with its best move).
# Needs poppler-utils (pdfinfo, pdftotext, pdfimages).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
vorlix=${1:-$here/build/bin/vorlix}
epd=${2:-$here/tests/data/wacnew.epd}
style=$here/resources/default.vxd
for tool in pdfinfo pdftotext pdfimages; do
  command -v "$tool" > /dev/null || { echo "print_bench.sh: $tool missing (apt-get install poppler-utils)" >&2; exit 2; }
done
work=$(mktemp -d /tmp/vorlix-print-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

build_type() {
  local cache; cache="$(dirname "$(dirname "$1")")/CMakeCache.txt"
  if [ -f "$cache" ]; then sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache"; else echo unknown; fi
}

measure() {
  local label=$1 binary=$2 out="$work/$1"
  mkdir -p "$out"
  echo "== $label: $binary (build type $(build_type "$binary"))"
  local start end
  start=$(date +%s.%N)
  "$binary" batch "$epd" -o "$out/batch.pdf" --per-page --scale 250 --header id --footer bm --style "$style" > /dev/null
  end=$(date +%s.%N)
  local bytes pages diagrams captions footers images
  bytes=$(stat -c %s "$out/batch.pdf")
  pages=$(pdfinfo "$out/batch.pdf" | sed -n 's/^Pages: *//p')
  diagrams=$(grep -c . "$epd")
  pdftotext "$out/batch.pdf" "$out/batch.txt"
  captions=$({ grep -o 'WAC\.[0-9][0-9]*' "$out/batch.txt" || true; } | wc -l)
  footers=$({ grep -o '[WB]: [^ ]*' "$out/batch.txt" || true; } | wc -l)
  images=$(pdfimages -list "$out/batch.pdf" | tail -n +3 | wc -l)
  printf 'batch PDF: %d diagrams on %s pages, %d bytes (%.1f KB per diagram), %.2f s wall\n' \
    "$diagrams" "$pages" "$bytes" "$(echo "$bytes / 1024 / $diagrams" | bc -l)" "$(echo "$end - $start" | bc)"
  echo "  pdftotext: $captions captions (WAC.nnn) and $footers footers (W:/B: best move) of $diagrams; pdfimages: $images raster images"
  head -1 "$epd" > "$out/one.epd"
  "$binary" batch "$out/one.epd" -o "$out/one.pdf" --scale 200 --header id --style "$style" > /dev/null
  images=$(pdfimages -list "$out/one.pdf" | tail -n +3 | wc -l)
  echo "one diagram printed alone (200 %): $(stat -c %s "$out/one.pdf") bytes, $images raster images"
}

echo "data: $epd ($(grep -c . "$epd") positions); style: $style; A4 at 300 dpi"
measure current "$vorlix"
if [ -n "${BASELINE:-}" ]; then measure baseline "$BASELINE"; fi
