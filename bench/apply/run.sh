#!/usr/bin/env bash
# bench/apply/run.sh — applying 49 assigned files to both clients (98 copies) against `cp`
# making the same copies in the same run; prints the ratio (goal: at most 1.5), also for two
# configurations applied in turn (every apply then writes the record of written files anew).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build release >/dev/null
out=$(build/release/bin/bench_apply --benchmark_format=csv --benchmark_repetitions=5 \
      --benchmark_report_aggregates_only=true 2>/dev/null)
echo "$out" | grep -E '_median"' | cut -d, -f1,3,5
ours=$(echo "$out" | grep 'BM_ApplyConfig_median' | cut -d, -f3)
cp=$(echo "$out" | grep 'BM_CpSameCopies_median' | cut -d, -f3)
turns=$(echo "$out" | grep 'BM_ApplyTwoConfigsInTurn_median' | cut -d, -f3)
awk -v a="$ours" -v b="$cp" 'BEGIN { printf "apply / cp: %.2f\n", a / b }'
awk -v a="$turns" -v b="$cp" 'BEGIN { printf "two configurations in turn / cp: %.2f\n", a / b }'
