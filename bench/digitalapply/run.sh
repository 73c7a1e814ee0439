#!/usr/bin/env bash
# bench/digitalapply/run.sh [ROUNDS] — the built program's `--apply` of a configuration giving
# 103 digital tracks of about 3 MB each (makegame.sh) against `cp` of the same 103 files to the
# same place, in the same run, taking turns (who goes first alternates), ROUNDS rounds (default 7).
#
# Steady state (what a user meets on every apply but the first): the backups exist; the apply
# is timed against `cp -f` of the 103 sources over the tracks, and against that `cp` followed by
# `sync -f` of the game's file system, since the apply flushes its copies before they replace
# the tracks. The first apply also backs up the 103 tracks the game had: it is timed (fewer
# rounds, the game put back in between) against `cp` of the tracks to a backup folder followed
# by the `cp` of the sources (and a `sync -f`). Every timed command starts with no dirty data
# (`sync` before each). Prints the medians in milliseconds and the ratios (goal: steady-state
# apply / cp at most 1.3). The data (about 1.2 GB) lives in a temporary folder removed at the end.
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-7}
firstRounds=$(((rounds + 1) / 2))
cmake -S . -B build/release -G Ninja -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target melodeck >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/melodeck-digitalbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
bench/digitalapply/makegame.sh "$work/w" "$PWD/build/release/bin/melodeck"
w=$work/w
music=$w/game/Music/Digital
backup=$w/game/melodeck-backup
mkdir -p "$w/home" "$w/tmp" "$w/run"
chmod 700 "$w/run"
sources=("$w/tunes/"*.mp3)
tracks=("$music/"*.mp3)

# Milliseconds the command took ($EPOCHREALTIME is seconds with 6 decimals), in $ms.
timed() {
  local t0=$EPOCHREALTIME
  "$@"
  local t1=$EPOCHREALTIME
  ms=$(((10#${t1/./} - 10#${t0/./}) / 1000))
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The program as a launcher starts it: no display, a prefix without a registry (Z: is /), its
# own home, runtime and temporary folders; the game named by its folder.
apply() {
  env -i WINEPREFIX="$w/prefix" HOME="$w/home" XDG_RUNTIME_DIR="$w/run" MELODECK_LOCK_DIR="$w/run" \
    TMPDIR="$w/tmp" PATH="$PATH" "$w/prog/melodeck" --game "$w/game" --apply Bench >"$w/out" 2>"$w/err" ||
    { cat "$w/err" >&2; exit 1; }
  grep -qx 'Bench: 103 copied, 0 failed, 0 missing' "$w/out" || { tail -3 "$w/out" "$w/err" >&2; exit 1; }
}
copy() { cp -f "${sources[@]}" "$music/"; }
flush() { sync -f "$music"; }
backupCopy() { mkdir -p "$backup/cp" && cp "${tracks[@]}" "$backup/cp/"; }
# The game as it was before any apply: its tracks, no backups, no record.
restore() {
  rm -rf "$backup"
  cp -f "$w/orig/"*.mp3 "$music/"
}

first=() firstCp=() firstCpSync=()
for ((r = 1; r <= firstRounds; r++)); do
  restore && sync && timed apply && first+=("$ms")
  restore && sync && timed backupCopy && t=$ms && timed copy && t=$((t + ms)) && firstCp+=("$t") &&
    timed flush && firstCpSync+=($((t + ms)))
done
# The backups of the last first apply stay: from here on every apply is a later one.
restore && apply
steady=() cps=() cpSyncs=()
for ((r = 1; r <= rounds; r++)); do
  if ((r % 2)); then
    sync && timed apply && steady+=("$ms")
    sync && timed copy && t=$ms && timed flush && cps+=("$t") && cpSyncs+=($((t + ms)))
  else
    sync && timed copy && t=$ms && timed flush && cps+=("$t") && cpSyncs+=($((t + ms)))
    sync && timed apply && steady+=("$ms")
  fi
done

echo "steady-state apply ms: ${steady[*]}"
echo "cp ms:                 ${cps[*]}"
echo "cp + sync -f ms:       ${cpSyncs[*]}"
echo "first apply ms:        ${first[*]}"
echo "cp backups + cp ms:    ${firstCp[*]}"
echo "... + sync -f ms:      ${firstCpSync[*]}"
a=$(median "${steady[@]}") c=$(median "${cps[@]}") cs=$(median "${cpSyncs[@]}")
f=$(median "${first[@]}") fc=$(median "${firstCp[@]}") fcs=$(median "${firstCpSync[@]}")
awk -v a="$a" -v c="$c" -v cs="$cs" -v f="$f" -v fc="$fc" -v fcs="$fcs" 'BEGIN {
  printf "medians (ms): apply %d, cp %d, cp + sync %d; first apply %d, cp backups + cp %d, + sync %d\n", a, c, cs, f, fc, fcs
  printf "apply / cp: %.2f (goal: at most 1.3)\n", a / c
  printf "apply / (cp + sync -f): %.2f\n", a / cs
  printf "first apply / (cp backups + cp): %.2f\n", f / fc
  printf "first apply / (cp backups + cp + sync -f): %.2f\n", f / fcs
}'
