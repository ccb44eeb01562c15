#!/usr/bin/env bash
# tarnwick-res over a folder of maps shaped like compiled ones, beside cat of the same
# files: the median wall-clock time of RUNS runs each, the page cache warm, and the
# median processor time (user and system), which a busy machine disturbs less.
#   bench/batch.sh [MAPS] [RUNS] [BUILD]     (defaults: 26 maps of 1 to 4 MB, 15 runs, build)
set -euo pipefail
cd "$(dirname "$0")/.."
maps=${1:-26}
runs=${2:-15}
build=${3:-build}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
for ((i = 0; i < maps; i++)); do
    "$build/tests/support/tarnwick-make-map" --bsp $((i % 4 + 1)) "$dir/map$i.bsp" $((i + 1))
done
python3 - "$build/cli/tarnwick-res" "$runs" "$dir"/*.bsp <<'PY'
import os, resource, statistics, subprocess, sys, time
res, runs, maps = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
size = sum(len(open(m, "rb").read()) for m in maps)  # also warms the page cache
commands = {"cat": ["cat", *maps], "tarnwick-res --stdout": [res, "--stdout", *maps]}
wall = {name: [] for name in commands}
cpu = {name: [] for name in commands}
def child_cpu():
    t = resource.getrusage(resource.RUSAGE_CHILDREN)
    return t.ru_utime + t.ru_stime
for _ in range(runs):  # interleaved, so that a burst of load hits both alike
    for name, command in commands.items():
        start, start_cpu = time.perf_counter(), child_cpu()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        wall[name].append(time.perf_counter() - start)
        cpu[name].append(child_cpu() - start_cpu)
print(f"{len(maps)} maps, {size / 2**20:.1f} MB, median of {runs} runs (load {os.getloadavg()[0]:.1f}):")
for name in commands:
    w, c = statistics.median(wall[name]), statistics.median(cpu[name])
    print(f"  {name:22} wall {w * 1000:6.1f} ms ({size / w / 1e9:5.2f} GB/s)   processor {c * 1000:6.1f} ms")
ratio = lambda t: statistics.median(t["tarnwick-res --stdout"]) / statistics.median(t["cat"])
print(f"  tarnwick-res / cat: wall {ratio(wall):.2f}, processor {ratio(cpu):.2f}")
PY
