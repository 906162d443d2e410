#!/usr/bin/env bash
# A worksheet of 120 EPD positions at 6 a page with its answer key, written by
# `vorlix sheet`: the median wall time of 5 runs (target under 2 s), the page
# count, and whether the file is all vector drawing with every font embedded.
#
#   bash bench/sheet_bench.sh [path/to/vorlix] [positions.epd]
#
# Defaults: build/bin/vorlix and tests/data/wacnew.epd (its first 120 records).
# Needs poppler-utils (pdfinfo, pdfimages, pdffonts).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
vorlix=${1:-$here/build/bin/vorlix}
epd=${2:-$here/tests/data/wacnew.epd}
style=$here/resources/default.vxd
for tool in pdfinfo pdfimages pdffonts; do
  command -v "$tool" > /dev/null || { echo "sheet_bench.sh: $tool missing (apt-get install poppler-utils)" >&2; exit 2; }
done
work=$(mktemp -d /tmp/vorlix-sheet-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

times=()
for run in 1 2 3 4 5; do
  start=$(date +%s.%N)
  "$vorlix" sheet "$epd" --records 1-120 --per-page 6 --key --title "Worksheet" --style "$style" \
    -o "$work/sheet.pdf" > /dev/null
  end=$(date +%s.%N)
  times+=("$(echo "$end - $start" | bc)")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
pages=$(pdfinfo "$work/sheet.pdf" | sed -n 's/^Pages: *//p')
images=$(pdfimages -list "$work/sheet.pdf" | tail -n +3 | wc -l)
unembedded=$(pdffonts "$work/sheet.pdf" | tail -n +3 | awk '$(NF-4) != "yes"' | wc -l)
echo "data: $epd (records 1-120); style: $style"
printf 'worksheet: 120 diagrams, 6 a page, with key: %s pages, %d bytes\n' "$pages" "$(stat -c %s "$work/sheet.pdf")"
echo "wall times (s): ${times[*]}; median $median (target < 2)"
echo "raster images: $images; fonts not embedded: $unembedded"
