#!/usr/bin/env bash
# bench/foldertree/run.sh — expanding a folder of 1,000 and 9,000 MIDI files and refreshing a tree
# of 1,000 and 9,000 visible nodes, and how the time grows with 9 times the nodes (linear: about 9).
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ ! -f build/release/build.ninja ]; then scripts/build release >/dev/null; fi
cmake --build build/release --target bench_foldertree >/dev/null
out=$(build/release/bin/bench_foldertree --benchmark_format=csv 2>/dev/null)
echo "$out" | grep -E '^"?BM_.*_median' | cut -d, -f1,3,4,5
for bm in BM_ExpandFolder BM_RefreshTree; do
  row1=$(echo "$out" | grep "$bm/1000/.*_median")
  row9=$(echo "$out" | grep "$bm/9000/.*_median")
  awk -v n="$bm" -v a="$row1" -v b="$row9" 'BEGIN {
    split(a, x, ","); split(b, y, ",")
    printf "%s: 9000 vs 1000 nodes: %.2fx the real time, %.2fx the CPU time\n", n, y[3] / x[3], y[4] / x[4] }'
done
