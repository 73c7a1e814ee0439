#!/usr/bin/env bash
# bench/window/run.sh — the main window's resident memory with FluidR3_GM (package
# fluid-soundfont-gm) chosen as the SoundFont: idle, after playing a real tune (openttd-openmsx)
# through the window and stopping, and the peak while the window's apply converts 49 MIDI tunes
# for the tracks of a digital game on every core (goal for both: below 100 MiB).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build release >/dev/null
out=$(build/release/bin/bench_window --benchmark_format=csv 2>/dev/null)
col() {  # the named counter's value
  local header=$(echo "$out" | grep '^name,')
  local n=$(echo "$header" | tr ',' '\n' | grep -nx "\"$1\"\|$1" | cut -d: -f1)
  echo "$out" | grep '"BM_WindowMemoryWithFluidR3' | cut -d, -f"$n"
}
if [ -z "$(col apply_peak_MiB)" ]; then echo "$out" >&2; exit 1; fi
printf 'the window, idle: %.1f MiB\n' "$(col idle_MiB)"
printf 'the window, after playing a tune with FluidR3_GM: %.1f MiB (goal: below 100; the most while playing: %.1f MiB)\n' \
  "$(col played_MiB)" "$(col play_peak_MiB)"
printf 'the window, peak while applying 49 MIDI tunes to digital tracks with FluidR3_GM: %.1f MiB (goal: below 100; %d tunes converted, %.1f MiB after)\n' \
  "$(col apply_peak_MiB)" "$(col converted)" "$(col after_apply_MiB)"
