#!/usr/bin/env bash
# bench/lha/lha_memory.sh [build-dir] [sizes in MiB...]
# Peak resident memory of packing one large file with our encoder (lhapack, -lh5- and -lh7-):
# generated MIDI-like data with some random stretches, packed as a whole process whose
# ru_maxrss (getrusage of the child) is reported beside the input and output sizes.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/release}"
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10 400)
lhapack="$build/bin/lhapack"
[ -x "$lhapack" ] || { echo "build $lhapack first (scripts/build release)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 - "$work" "$(realpath "$lhapack")" "${sizes[@]}" <<'PY'
import os, random, resource, subprocess, sys, time

work, lhapack, sizes = sys.argv[1], sys.argv[2], [int(s) for s in sys.argv[3:]]

def make_input(path, mib):
    # Bars of note events that change a little as the song goes on, and now and then a
    # stretch of random bytes (embedded samples, already packed data).
    rng = random.Random(mib)
    bar = bytearray(rng.randrange(128) for _ in range(384))
    want = mib << 20
    with open(path, "wb") as f:
        written = 0
        while written < want:
            chunk = bytearray()
            while len(chunk) < (1 << 20):
                if rng.randrange(64) == 0:
                    chunk += rng.randbytes(rng.randrange(1024, 16384))
                else:
                    bar[rng.randrange(len(bar))] = rng.randrange(128)
                    chunk += bar
            chunk = chunk[: want - written]
            f.write(chunk)
            written += len(chunk)

def peak_of(args):
    # ru_maxrss of the children grows to the largest child so far: one fresh process per run.
    probe = [sys.executable, "-c",
             "import resource,subprocess,sys; r=subprocess.run(sys.argv[1:]); "
             "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss); sys.exit(r.returncode)"] + args
    t = time.monotonic()
    out = subprocess.run(probe, check=True, capture_output=True, text=True).stdout
    return int(out.split()[-1]), time.monotonic() - t

print("%-6s %-6s %12s %12s %10s %8s" % ("input", "method", "bytes", "packed", "peak-MiB", "seconds"))
for mib in sizes:
    src = os.path.join(work, "song%d.mid" % mib)
    make_input(src, mib)
    for method in ("-o5", "-o7"):
        out = os.path.join(work, "out.lzh")
        kib, secs = peak_of([lhapack, method, out, src])
        print("%-6s %-6s %12d %12d %10.1f %8.2f" % ("%dM" % mib, method, os.path.getsize(src),
              os.path.getsize(out), kib / 1024, secs))
        os.remove(out)
    os.remove(src)
PY
