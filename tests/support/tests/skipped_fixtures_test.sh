#!/usr/bin/env bash
# scripts/skipped-fixtures against what a test program really prints: tests skipped because the
# shared sample archives are missing are counted, and the summary says how to point the run at
# them; a log without such skips gives no summary.
# Usage: skipped_fixtures_test.sh <scripts/skipped-fixtures> <a test program using REQUIRE_FIXTURES> <gtest filter>
set -uo pipefail
summary="$1" program="$2" filter="$3"
scratch=$(mktemp -d)
trap 'rm -rf -- "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

MELODECK_SHARED_DIR="$scratch/no-such-folder" "$program" --gtest_filter="$filter" >"$scratch/log" 2>&1
ran=$(grep -c '^\[ RUN      \]' "$scratch/log")
[ "$ran" -ge 2 ] || fail "expected several tests to run, got $ran: $(cat "$scratch/log")"
out=$("$summary" "$scratch/log")
echo "$out"
grep -q "^$ran tests were skipped: the shared sample archives are missing (no folder $scratch/no-such-folder/fixtures)\.$" <<<"$out" ||
  fail "no count of $ran skipped tests"
grep -q 'MELODECK_SHARED_DIR=/path/to/shared scripts/test' <<<"$out" || fail "no hint how to point the run at them"
grep -q '(\.\./shared)' <<<"$out" || fail "no hint of the folder beside the clone"

env -u MELODECK_SHARED_DIR "$program" --gtest_filter="$filter" >"$scratch/unset" 2>&1
out=$("$summary" "$scratch/unset")
grep -q "^$ran tests were skipped: the shared sample archives are missing (MELODECK_SHARED_DIR is not set)\.$" <<<"$out" ||
  fail "unset variable: $out"

grep -v '^needs the shared sample archives' "$scratch/log" >"$scratch/none"
out=$("$summary" "$scratch/none")
[ -z "$out" ] || fail "a summary without skips: $out"
[ -z "$("$summary" "$scratch/missing.log")" ] || fail "a summary without a log"
echo "ok"
