#!/usr/bin/env bash
# tarnwick-res over a folder of maps shaped like compiled ones, beside cat of the same
# files: the median wall-clock time of RUNS runs each, the page cache warm.
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
import statistics, subprocess, sys, time
res, runs, maps = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
size = sum(len(open(m, "rb").read()) for m in maps)  # also warms the page cache
commands = {"cat": ["cat", *maps], "tarnwick-res --stdout": [res, "--stdout", *maps]}
times = {name: [] for name in commands}
for _ in range(runs):  # interleaved, so that a burst of load hits both alike
    for name, command in commands.items():
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        times[name].append(time.perf_counter() - start)
print(f"{len(maps)} maps, {size / 2**20:.1f} MB, median of {runs} runs:")
median = {name: statistics.median(t) for name, t in times.items()}
for name, m in median.items():
    print(f"  {name:24} {m * 1000:7.1f} ms  ({size / m / 1e9:.2f} GB/s)")
print(f"  ratio {median['tarnwick-res --stdout'] / median['cat']:.2f}")
PY
