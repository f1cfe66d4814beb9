#!/usr/bin/env bash
# Measures the capture path of the 64-bit program under Wine on a virtual
# display (the test suites never time anything; this script does):
#   scripts/capture-rate.sh [cost|rate|all] [gtest filter for rate]
# cost: milliseconds of each step from a clipboard notice to the refreshed
#       list (clipboard read, digest, store add, list rebuild, full paint);
# rate: how many of 100 copies the program keeps when a Windows program
#       copies at 20 to 500 a second and at full speed, and when xclip copies
#       at 20 a second and at full speed. QB_RATE_REPEATS runs per rate (3).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
what="${1:-all}"
filter="${2:-*}"

scripts/build.sh windows || { echo "capture-rate: BUILD FAILED"; exit 1; }

source scripts/xvfb.sh
qb_start_xvfb || exit 1
export QB_WINEPREFIX="$root/build/windows/wineprefix"
scripts/wine-prefix.sh
source scripts/wine-env.sh

status=0
if [ "$what" = cost ] || [ "$what" = all ]; then
  echo "== cost of one capture, active list full at 100"
  wine build/windows/tests/perf/qb_capture_cost.exe || status=1
fi
if [ "$what" = rate ] || [ "$what" = all ]; then
  echo "== copies kept out of 100, active maximum 100"
  wine build/windows/tests/perf/qb_capture_rate.exe --gtest_filter="CaptureRate.$filter" \
    "$root/build/windows/quillbox.exe" || status=1
fi

wineserver -k 2>/dev/null
qb_stop_xvfb
exit $status
