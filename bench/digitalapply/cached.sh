#!/usr/bin/env bash
# bench/digitalapply/cached.sh [ROUNDS] [SECONDS] — applying tunes that are converted: the built
# program's `--apply` of a configuration giving 103 digital tracks a WAV tune each (makegame.sh
# with TUNES=wav, SECONDS long, default 60), once they are in the cache of converted tunes,
# against `cp` of the same MP3s over the tracks, in the same run, taking turns, ROUNDS rounds
# (default 7). The first apply, which converts the 103 tunes on every core, is timed once.
# cp copies the same MP3s to a twin of the game's folder, so that between applies the tracks stay
# as the last apply left them (as between a user's applies); a second series copies over the
# tracks themselves before each apply, which then reads every track again. Every timed command
# starts with no dirty data (`sync` before each). Prints the medians in milliseconds and the
# ratios (goal: cached apply / cp at most 1.3; and against cp followed by sync, since the apply
# flushes its copies to the disk and cp does not). The data (about 1.1 GB with
# 60-second tunes) lives in a temporary folder removed at the end.
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-7}
seconds=${2:-60}
cmake -S . -B build/release -G Ninja -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target melodeck >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/melodeck-cachedbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
TUNES=wav SECONDS_PER_TUNE=$seconds bench/digitalapply/makegame.sh "$work/w" "$PWD/build/release/bin/melodeck"
w=$work/w
music=$w/game/Music/Digital
mkdir -p "$w/home" "$w/tmp" "$w/run" "$w/converted"
chmod 700 "$w/run"

timed() {
  local t0=$EPOCHREALTIME
  "$@"
  local t1=$EPOCHREALTIME
  ms=$(((10#${t1/./} - 10#${t0/./}) / 1000))
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The program as a launcher starts it (see run.sh); the cache is $HOME/.cache/melodeck.
apply() {
  env -i WINEPREFIX="$w/prefix" HOME="$w/home" XDG_RUNTIME_DIR="$w/run" MELODECK_LOCK_DIR="$w/run" \
    TMPDIR="$w/tmp" PATH="$PATH" "$w/prog/melodeck" --game "$w/game" --apply Bench >"$w/out" 2>"$w/err" ||
    { cat "$w/err" >&2; exit 1; }
  grep -qx 'Bench: 103 copied, 0 failed, 0 missing' "$w/out" || { tail -3 "$w/out" "$w/err" >&2; exit 1; }
  [[ $(grep -c "^$1 " "$w/out") == 103 ]] || { echo "expected 103 tunes $1" >&2; grep -m3 -v "^$1 " "$w/out" >&2; exit 1; }
}
copy() { cp -f "$w/converted/"*.mp3 "$music/"; }

sync && timed apply converted && first=$ms
# The MP3s the cache gave the tracks, under the tracks' names: what cp copies, to a twin of the
# game's folder (so that the tracks stay as the apply left them, as between a user's applies)
# and, the second time, over the game's own tracks.
cp -p "$music/"*.mp3 "$w/converted/"
twin=$w/twin/Music/Digital
mkdir -p "$twin" && cp -p "$music/"*.mp3 "$twin/"
copyTwin() { cp -f "$w/converted/"*.mp3 "$twin/"; }
# The apply flushes its copies to the disk before it puts them in place (a crash never leaves a
# half-written track); cp leaves them to be written later. The same cp with that flush.
copyTwinSynced() { cp -f "$w/converted/"*.mp3 "$twin/" && sync; }
apply cached  # the tracks the first apply placed are read once more here; then their stamps are known
steady=() cps=() afterCp=() cpsOver=() cpsSynced=()
for ((r = 1; r <= rounds; r++)); do
  if ((r % 2)); then
    sync && timed apply cached && steady+=("$ms")
    sync && timed copyTwin && cps+=("$ms")
  else
    sync && timed copyTwin && cps+=("$ms")
    sync && timed apply cached && steady+=("$ms")
  fi
  sync && timed copyTwinSynced && cpsSynced+=("$ms")
done
# cp over the tracks themselves before each apply: every apply must read the tracks again to tell
# them from the game's own files (the pessimistic case).
for ((r = 1; r <= rounds; r++)); do
  sync && timed copy && cpsOver+=("$ms")
  sync && timed apply cached && afterCp+=("$ms")
done

echo "converting apply ms (103 tunes of ${seconds} s): $first"
echo "cached apply ms:             ${steady[*]}"
echo "cp to a twin folder ms:      ${cps[*]}"
echo "the same cp, then sync ms:   ${cpsSynced[*]}"
echo "cp over the tracks ms:       ${cpsOver[*]}"
echo "cached apply after that ms:  ${afterCp[*]}"
echo "MP3s: $(du -sh "$w/converted" | cut -f1) in 103 files"
a=$(median "${steady[@]}") c=$(median "${cps[@]}") a2=$(median "${afterCp[@]}") c2=$(median "${cpsOver[@]}")
cs=$(median "${cpsSynced[@]}")
awk -v a="$a" -v c="$c" -v a2="$a2" -v c2="$c2" -v cs="$cs" 'BEGIN {
  printf "medians (ms): cached apply %d, cp %d; after cp over the tracks: apply %d, cp %d\n", a, c, a2, c2
  printf "cached apply / cp: %.2f (goal: at most 1.3)\n", a / c
  printf "cached apply / (cp, then sync): %.2f (the copies on the disk in both)\n", a / cs
  printf "cached apply after cp over its tracks / that cp: %.2f\n", a2 / c2
}'
