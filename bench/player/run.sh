#!/usr/bin/env bash
# bench/player/run.sh — the built-in player: milliseconds from Open+Play to the first block the
# sound output writes (and to the first audible sample), the first Open with the SoundFont
# load, and the resident memory with the system's General MIDI SoundFont loaded; for an MP3,
# milliseconds from Play to the first non-zero sample (goal: 50 at most) and its Open; and the
# resident memory, idle and after playing a tune with FluidR3_GM chosen (goal: below 100 MiB).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build release >/dev/null
build/release/bin/bench_player --benchmark_counters_tabular=true
