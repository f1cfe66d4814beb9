#!/usr/bin/env bash
# Measures the running 64-bit program under Wine on a virtual display of its
# own: the time from a clipboard change to the refreshed and repainted active
# list (100 items), against a bare viewer that only reads each text; the
# program's memory at rest and after a 10 MB and a 100 MB copy, with the
# longest time it did not answer; and a soak of captures into the full list
# and quick-paste menus opened and closed, with memory and handles after
# the first 100 of each and at the end. The results go to the terminal and
# to build/windows/measure-wine.txt.
#   scripts/measure-wine.sh [ROUNDS [SOAK_CAPTURES [SOAK_MENUS]]]
# (200, 10000 and 1000 by default). Not part of scripts/test.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh
scripts/build.sh windows

windows_path() { local p="$1"; echo "Z:${p//\//\\}"; }

source scripts/xvfb.sh
qb_start_xvfb
export QB_WINEPREFIX="$root/build/windows/wineprefix"
scripts/wine-prefix.sh
source scripts/wine-env.sh

folder="$root/build/windows/measure-wine"
rm -rf "$folder"
out="$root/build/windows/measure-wine.txt"
status=0
{
  echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores; $(wine --version)"
  wine build/windows/tests/perf/qb_wine_probe.exe "$(windows_path "$root/build/windows/quillbox.exe")" \
    "$(windows_path "$folder")" "${1:-200}" "${2:-10000}" "${3:-1000}" | sed -u 's/\r$//'
} | tee "$out" || status=1
grep -q '^error:' "$out" && status=1

wineserver -k 2>/dev/null || true
qb_stop_xvfb
exit $status
