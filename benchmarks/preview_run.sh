#!/usr/bin/env bash
# Times a fast preview of an order-12 dragon (sample calibration, c = 0.75,
# about 20 million pulses) with the plot and the report written, and fails when
# the best of three runs takes longer than the limit (2 s by default).
# Usage: benchmarks/preview_run.sh [BIN_DIR]   (default build/default/bin)
#        PREVIEW_LIMIT_S=3 benchmarks/preview_run.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$(cd "${1:-$root/build/default/bin}" && pwd)"
limit="${PREVIEW_LIMIT_S:-2}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$root/examples/stepcfg2.txt" "$work/"
cd "$work"

best=""
for attempt in 1 2 3; do
  start=$(date +%s%N)
  printf '12 0.75 0 Y\n' | env -u BOARD_TRACE BOARD_FAST=1 BOARD_PLOT=order12.svg \
    BOARD_REPORT=order12.json "$bin/fractrace" >/dev/null
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  echo "run $attempt: ${ms} ms"
  if [[ -z "$best" || $ms -lt $best ]]; then best=$ms; fi
done

pulses=$(python3 -c 'import json; r = json.load(open("order12.json")); print(sum(r["pulses"].values()))')
echo "pulses: $pulses; plot: $(wc -c < order12.svg) bytes; best: ${best} ms (limit ${limit} s)"
if (( best > limit * 1000 )); then
  echo "order-12 preview too slow" >&2
  exit 1
fi
