#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the core
# natively, the core again with AddressSanitizer and UndefinedBehaviorSanitizer,
# a bounded run of every fuzz target, and both Windows programs, 64-bit and
# 32-bit, each with its whole suite (core, windows, end to end) under Wine on a
# virtual display. Where the machine runs no 32-bit programs, the 32-bit build
# runs only its tests that need no Wine. Then the release packages are built,
# unpacked and started (tests/package). Exits non-zero when any test fails.
# QB_FUZZ_SECONDS sets each fuzz target's time (20 s by default).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh || exit 1

failed=0
# run_suite KIND [CTEST-OPTIONS...]
run_suite() {
  local kind="$1"
  shift
  echo "== $kind: build"
  if ! scripts/build.sh "$kind"; then
    echo "== $kind: BUILD FAILED"; failed=1; return
  fi
  echo "== $kind: tests"
  ctest --test-dir "build/$kind" --output-on-failure --timeout 900 "$@" || failed=1
}

run_suite native
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_suite asan

echo "== fuzz"
scripts/fuzz.sh "${QB_FUZZ_SECONDS:-20}" || failed=1

source scripts/xvfb.sh
qb_start_xvfb || exit 1
# One prefix serves both Windows programs.
export QB_WINEPREFIX="$root/build/windows/wineprefix"
scripts/wine-prefix.sh
run_suite windows
if (source scripts/wine-env.sh && qb_wine32_runs); then
  run_suite windows32
else
  echo "== windows32: this machine runs no 32-bit programs, so 32-bit Wine cannot run here;"
  echo "== windows32: running the tests that need no Wine (label host)"
  run_suite windows32 -L host
fi
# The release packages, from the two builds above: unpacked and started.
echo "== package"
tests/package/package-test.sh || failed=1
(source scripts/wine-env.sh && wineserver -k 2>/dev/null)
qb_stop_xvfb

if [ "$failed" -ne 0 ]; then
  echo "test.sh: SOME TESTS FAILED"
  exit 1
fi
echo "test.sh: all tests passed"
