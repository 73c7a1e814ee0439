#!/usr/bin/env bash
# bench/packages/run.sh — exporting a configuration of 49 real MIDI files (Debian's
# openttd-openmsx songs) as a package, against `jlha` packing the same staging folder in the
# same run; prints both times, both sizes and the ratios (goal: at most 1.0 for each).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build release >/dev/null
out=$(build/release/bin/bench_packages --benchmark_format=csv --benchmark_repetitions=5 \
      --benchmark_report_aggregates_only=true 2>/dev/null)
echo "$out" | grep -E '_median"' | cut -d, -f1,3,5,11-
value() { echo "$out" | grep "$1_median" | cut -d, -f"$2"; }
ours=$(value BM_ExportPackage 3)
peer=$(value BM_JlhaPackStaging 3)
# The "bytes" counter is the last column.
oursBytes=$(echo "$out" | grep 'BM_ExportPackage_median' | awk -F, '{print $NF}')
peerBytes=$(echo "$out" | grep 'BM_JlhaPackStaging_median' | awk -F, '{print $NF}')
awk -v a="$ours" -v b="$peer" 'BEGIN { printf "export / jlha time: %.2f\n", a / b }'
awk -v a="$oursBytes" -v b="$peerBytes" 'BEGIN { printf "package / jlha lh5 size: %.3f (%d / %d bytes)\n", a / b, a, b }'
