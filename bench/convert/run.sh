#!/usr/bin/env bash
# bench/convert/run.sh — converting the 49 MIDI tunes of a configuration to MP3 on both cores,
# against `fluidsynth -F` then `lame` for the same files one after another in the same run;
# prints the ratio (goal: at most 0.6) and the peak resident memory of the conversion, and that
# of converting a 30-minute WAV (goal: at most 64 MiB), and the peak of converting the tunes with
# FluidR3_GM (package fluid-soundfont-gm) on every core (goal: below 100 MiB). The tunes are the test support's, short
# ones; real ones instead: MELODECK_CONVERT_CORPUS=/usr/share/games/openttd/baseset/openmsx.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build release >/dev/null
out=$(build/release/bin/bench_convert --benchmark_format=csv 2>/dev/null)
ms() { echo "$out" | grep "\"$1" | cut -d, -f3; }
col() {  # the named counter's value on the benchmark's line
  local header=$(echo "$out" | grep '^name,')
  local n=$(echo "$header" | tr ',' '\n' | grep -nx "\"$2\"\|$2" | cut -d: -f1)
  echo "$out" | grep "\"$1" | cut -d, -f"$n"
}
ours=$(ms BM_ConvertMidiOnTwoThreads); peers=$(ms BM_FluidsynthThenLame)
echo "the MIDI tunes: ours ${ours} ms, fluidsynth + lame ${peers} ms"
awk -v a="$ours" -v b="$peers" 'BEGIN { printf "ours / (fluidsynth + lame): %.2f\n", a / b }'
awk -v k="$(col BM_ConvertMidiOnTwoThreads peak_KiB)" 'BEGIN { printf "peak memory, the MIDI tunes on 2 threads: %.1f MiB\n", k / 1024 }'
threads=$(echo "$out" | grep -o 'BM_PeakWithFluidR3OnEveryCore/threads:[0-9]*' | head -1 | cut -d: -f2)
for player in 0 1; do
  case $player in 0) with="" ;; 1) with=", the player playing" ;; esac
  awk -v k="$(col "BM_PeakWithFluidR3OnEveryCore/threads:$threads/player:$player" peak_KiB)" -v t="$threads" -v w="$with" \
    'BEGIN { printf "peak memory, the MIDI tunes with FluidR3_GM on %d threads%s: %.1f MiB (goal: below 100)\n", t, w, k / 1024 }'
done
awk -v k="$(col BM_ConvertLongWav peak_KiB)" -v t="$(ms BM_ConvertLongWav)" \
  'BEGIN { printf "peak memory, a 30-minute WAV: %.1f MiB (%.1f s)\n", k / 1024, t / 1000 }'
