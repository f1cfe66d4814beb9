#!/usr/bin/env bash
# Builds tests/exports/UnrelocatedExports.cpp as a 32-bit Linux program and
# runs it on the 32-bit quillbox.exe: directly where the machine runs 32-bit
# programs, under qemu-i386 where it runs 64-bit code only.
#
#   run-unrelocated-exports.sh quillbox.exe OUTPUT-FOLDER
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 EXECUTABLE OUTPUT-FOLDER" >&2; exit 2; }
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program="$2/UnrelocatedExports"
source="$here/UnrelocatedExports.cpp"

mkdir -p "$2"
if [ ! -x "$program" ] || [ "$source" -nt "$program" ] || [ "$here/../shared/KnownAnswers.h" -nt "$program" ]; then
  g++ -m32 -static -O2 -std=c++17 -Wall -Wextra -I "$here/.." "$source" -o "$program" || exit 1
fi

runner=()
if ! "$program" --probe 2>/dev/null; then
  if command -v qemu-i386-static >/dev/null; then
    runner=(qemu-i386-static)
  else
    echo "this machine runs no 32-bit programs and qemu-i386-static is missing (scripts/setup.sh)" >&2
    exit 1
  fi
fi
exec "${runner[@]}" "$program" "$1"
