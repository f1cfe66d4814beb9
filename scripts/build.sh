#!/usr/bin/env bash
# Configures and builds one of the project's build folders:
#   scripts/build.sh native|asan|windows|windows32|fuzz|bench
# windows is the 64-bit Windows program, windows32 the 32-bit one; fuzz
# builds only the core library and the libFuzzer targets, with clang; bench
# builds the core and the benchmarks natively, optimised with -O2
# (scripts/bench.sh runs them).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:-windows}"
jobs="${QB_JOBS:-2}"

case "$kind" in
  native)  args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  asan)    args=(-DCMAKE_BUILD_TYPE=Debug -DQB_SANITIZE=ON) ;;
  windows) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
  windows32) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake") ;;
  fuzz)    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
                 -DQB_FUZZ=ON -DQB_BUILD_TESTS=OFF) ;;
  bench)   args=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DQB_BENCH=ON) ;;
  *) echo "usage: $0 native|asan|windows|windows32|fuzz|bench" >&2; exit 2 ;;
esac

cmake -S "$root" -B "$root/build/$kind" -G Ninja "${args[@]}" >/dev/null
cmake --build "$root/build/$kind" -j "$jobs"
