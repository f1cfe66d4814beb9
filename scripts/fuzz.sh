#!/usr/bin/env bash
# Runs every fuzz target for a bounded time:
#   scripts/fuzz.sh [seconds per target, 20 by default] [target ...]
# Builds build/fuzz first. Each target starts from a fresh copy of its seeds
# (tests/fuzz/corpus/<name>), so the committed corpus never grows; what a run
# learnt stays in build/fuzz/runs/<name>. A crash (a sanitizer's report, a
# broken property, a leak or a hang) fails the run, and its input is copied
# to tests/fuzz/regressions/<name>/, where the native and sanitizer suites
# run it from then on.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-20}"
shift $(( $# > 0 ? 1 : 0 ))

"$root/scripts/build.sh" fuzz || { echo "fuzz: BUILD FAILED"; exit 1; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  shopt -s nullglob
  for exe in "$root"/build/fuzz/fuzzers/*; do targets+=("$(basename "$exe")"); done
  shopt -u nullglob
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no target was built"; exit 1
fi

# The targets write their scratch files often: keep them in memory when we can.
scratch_parent=/dev/shm
[ -d "$scratch_parent" ] && [ -w "$scratch_parent" ] || scratch_parent="${TMPDIR:-/tmp}"
scratch="$(mktemp -d "$scratch_parent/qb-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

failed=0
for name in "${targets[@]}"; do
  exe="$root/build/fuzz/fuzzers/$name"
  run="$root/build/fuzz/runs/$name"
  rm -rf "$run"
  mkdir -p "$run/corpus" "$run/crashes"
  [ -d "$root/tests/fuzz/corpus/$name" ] && cp -r "$root/tests/fuzz/corpus/$name/." "$run/corpus/"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$run/crashes/")
  dict="$root/tests/fuzz/dict/$name.dict"
  [ -f "$dict" ] && options+=(-dict="$dict")

  (cd "$run" && TMPDIR="$scratch" "$exe" "${options[@]}" corpus >log 2>&1)
  status=$?
  summary="$(grep -E '^#[0-9]+' "$run/log" | tail -n 1)"
  if [ "$status" -eq 0 ] && [ -z "$(ls -A "$run/crashes")" ]; then
    echo "fuzz: $name: ${seconds}s, no crash: $summary"
    continue
  fi
  failed=1
  kept="$root/tests/fuzz/regressions/$name"
  mkdir -p "$kept"
  cp "$run"/crashes/* "$kept/" 2>/dev/null
  echo "fuzz: $name FAILED (exit $status); inputs kept in tests/fuzz/regressions/$name:"
  ls "$run/crashes"
  tail -n 60 "$run/log"
done

if [ "$failed" -ne 0 ]; then
  echo "fuzz.sh: A TARGET FAILED"
  exit 1
fi
echo "fuzz.sh: ${#targets[@]} targets ran ${seconds}s each without a crash"
