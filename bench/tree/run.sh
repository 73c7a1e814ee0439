#!/usr/bin/env bash
# bench/tree/run.sh — expanding an LHA archive of 500 and of 5,000 MIDI entries in 50 folders in
# the folder tree, and how the time grows with 10 times the entries (linear: at most 12), beside
# `bsdtar -tf` listing the same archives in the same run.
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ ! -f build/release/build.ninja ]; then scripts/build release >/dev/null; fi
cmake --build build/release --target bench_tree >/dev/null
out=$(cd build/release/bin && ./bench_tree --benchmark_format=csv 2>/dev/null)
echo "$out" | grep -E '^"?BM_.*_median' | cut -d, -f1,3,4,5
row1=$(echo "$out" | grep 'BM_ExpandArchive/500/.*_median')
row10=$(echo "$out" | grep 'BM_ExpandArchive/5000/.*_median')
tar10=$(echo "$out" | grep 'BM_BsdtarList/5000/.*_median')
awk -v a="$row1" -v b="$row10" -v t="$tar10" 'BEGIN {
  split(a, x, ","); split(b, y, ","); split(t, z, ",")
  printf "BM_ExpandArchive: 5000 vs 500 entries: %.2fx the real time, %.2fx the CPU time\n", y[3] / x[3], y[4] / x[4]
  printf "expanding / bsdtar -tf at 5000 entries: %.2f (real time)\n", y[3] / z[3] }'
