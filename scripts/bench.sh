#!/usr/bin/env bash
# Builds the benchmark in the native Release configuration and runs it:
# one-shot Calculate against muparser and libqalculate, the worst cases and
# the heap allocations, ending with the targets met or missed.
#   scripts/bench.sh [--typical=FILE] [--repetitions=N] [--min-time=SECONDS] [Google Benchmark flags]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native-release --target talvex_bench -j 2 >/dev/null
exec build/native/bench/Release/talvex_bench "$@"
