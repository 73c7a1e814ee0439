#!/usr/bin/env bash
# bench/store/run.sh — the store's load/save cycle on 10, 100 and 1,000 configurations, and how
# the time grows from 100 to 1,000 (linear growth gives about 10).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build release >/dev/null
out=$(build/release/bin/bench_store --benchmark_format=csv 2>/dev/null)
echo "$out" | grep -E '^"?BM_' | cut -d, -f1,3,4,5
t100=$(echo "$out" | grep 'BM_LoadListLoadSave/100"' | cut -d, -f3)
t1000=$(echo "$out" | grep 'BM_LoadListLoadSave/1000"' | cut -d, -f3)
awk -v a="$t100" -v b="$t1000" 'BEGIN { printf "1000 vs 100 configurations: %.2fx the time\n", b / a }'
