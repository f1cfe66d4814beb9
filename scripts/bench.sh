#!/usr/bin/env bash
# Builds the benchmarks natively with -O2 (scripts/build.sh bench) and runs
# them: Google Benchmark's report, then the table of ratios, each figure
# against its reference measured in the same run, with its goal. Of the
# repetitions of a benchmark the fastest counts.
#   scripts/bench.sh [benchmark options...]
# e.g. scripts/bench.sh --benchmark_filter=Md5. QB_BENCH_REPETITIONS sets the
# repetitions (5 by default). Exits 1 when a goal that was run was missed.
# Not part of scripts/test.sh: timings belong here, never in the tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh
scripts/build.sh bench
echo "== machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores; $(g++ --version | head -1)"
exec build/bench/bench/qb_bench --benchmark_repetitions="${QB_BENCH_REPETITIONS:-5}" "$@"
