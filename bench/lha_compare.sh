#!/usr/bin/env bash
# bench/lha_compare.sh [build-dir] [midi-dir]
# Packs the same MIDI files with our encoder (lhapack, -lh5- and -lh7-), with jlha (-lh5-) and
# with gzip -9, each as a whole process timed by hyperfine, and prints sizes, times and ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
midi="${2:-/usr/share/games/openttd/baseset/openmsx}"
lhapack="$build/bin/lhapack"
[ -x "$lhapack" ] || { echo "build $lhapack first (scripts/build release)" >&2; exit 2; }
# The packing runs inside the work folder.
lhapack="$(realpath "$lhapack")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
if ls "$midi"/*.mid >/dev/null 2>&1; then
  cp "$midi"/*.mid "$work/in/"
else
  echo "no MIDI files in $midi; using generated MIDI-like data" >&2
  python3 - "$work/in" <<'PY'
import random, sys
random.seed(1)
for n in range(20):
    bar = bytearray(random.randrange(128) for _ in range(384))
    song = bytearray(b"MThd")
    while len(song) < 30000:
        bar[random.randrange(len(bar))] = random.randrange(128)
        song += bar
    open(f"{sys.argv[1]}/song{n}.mid", "wb").write(song)
PY
fi
cd "$work/in"
files=(*.mid)
original=$(cat "${files[@]}" | wc -c)

# Packed sizes from the headers, so the header formats do not weigh in.
packed_total() { lhasa v "$1" | awk '$5 ~ /^-l..-$/ { s += $2 } END { print s }'; }

hyperfine -N --warmup 3 --runs 20 --export-json "$work/times.json" \
  "$lhapack -o5 $work/ours.lzh ${files[*]}" \
  "$lhapack -o7 $work/ours7.lzh ${files[*]}" \
  "jlha c2o5q $work/jlha.lzh ${files[*]}" \
  "gzip -9 -k -f -S .gz9 ${files[*]}" >/dev/null

ours=$(packed_total "$work/ours.lzh")
ours7=$(packed_total "$work/ours7.lzh")
theirs=$(packed_total "$work/jlha.lzh")
gz=$(cat ./*.gz9 | wc -c)
# Wall-clock means, then CPU (user + system) means, in the order of the commands above.
read -r t_ours t_ours7 t_jlha t_gzip c_ours c_ours7 c_jlha c_gzip < <(python3 -c "
import json,sys
r=json.load(open('$work/times.json'))['results']
print(*('%.4f' % x['mean'] for x in r), *('%.4f' % (x['user'] + x['system']) for x in r))")

printf '%d files, %d bytes\n' "${#files[@]}" "$original"
printf '%-8s %10s %10s %10s\n' tool bytes seconds cpu-s
printf '%-8s %10d %10s %10s\n' ours-lh5 "$ours" "$t_ours" "$c_ours" ours-lh7 "$ours7" "$t_ours7" "$c_ours7" \
  jlha-lh5 "$theirs" "$t_jlha" "$c_jlha" gzip-9 "$gz" "$t_gzip" "$c_gzip"
python3 -c "
print('size ours/jlha (lh5):    %.4f' % ($ours/$theirs))
print('time ours/gzip -9 (lh5): %.3f' % ($t_ours/$t_gzip))
print('cpu  ours/gzip -9 (lh5): %.3f' % ($c_ours/$c_gzip))"
