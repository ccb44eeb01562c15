#!/usr/bin/env bash
# Peak memory of a scan of a large map: tarnwick-res on a generated map of SIZE_MB
# (default 1024), reporting the peak resident set size of the process.
#   bench/memory.sh [SIZE_MB]          (after ./test.sh has built build/)
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-1024}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
build/tests/support/tarnwick-make-map "$size" "$dir/big.bsp"
python3 - "$dir/big.bsp" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
out = subprocess.run(["build/cli/tarnwick-res", "--stdout", sys.argv[1]],
                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True)
took = time.monotonic() - start
peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(out.stderr.decode().strip())
print(f"peak resident memory: {peak_kb / 1024:.1f} MB, {took:.2f} s")
PY
