#!/usr/bin/env bash
# The release packages, as a Windows user gets them: scripts/package.sh builds
# both zips; each is unpacked into a fresh folder and must hold exactly its
# folder with quillbox.exe, help.html and README.txt, a program of its own
# machine type whose version resource names the product and its version, and
# a read-me in Chinese for that version. The 64-bit program is then started
# from the unpacked folder under Wine: its main window must appear and it
# must write its settings beside itself. (The 32-bit one is started too
# where Wine runs 32-bit programs.)
# Runs inside scripts/test.sh, which provides the display and the prefix.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"

version=1.3.1
title="Quillbox v$version"
failures=0
fail() { echo "package test: FAILED: $*"; failures=$((failures + 1)); }

scripts/package.sh || { echo "package test: FAILED: scripts/package.sh"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# check_package ARCH TOOL-PREFIX PE-FORMAT
check_package() {
  local arch="$1" tools="$2" format="$3"
  local name="quillbox-$version-$arch" zip="dist/quillbox-$version-$arch.zip"
  [ -f "$zip" ] || { fail "$zip missing"; return; }
  local into="$work/$arch"
  mkdir -p "$into"
  unzip -q "$zip" -d "$into" || { fail "$zip does not unpack"; return; }
  local listing
  listing="$(cd "$into" && find . -type f | sort | tr '\n' ' ')"
  [ "$listing" = "./$name/README.txt ./$name/help.html ./$name/quillbox.exe " ] ||
    fail "$zip holds: $listing"
  local exe="$into/$name/quillbox.exe"
  "$tools-objdump" -f "$exe" | grep -q "file format $format" || fail "$arch program is not $format"
  local resources
  resources="$("$tools-windres" -i "$exe" -O rc 2>/dev/null)"
  grep -q 'VALUE "ProductName", "Quillbox"' <<<"$resources" || fail "$arch: no product name"
  grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" || fail "$arch: no product version"
  grep -q "FILEVERSION 1, 3, 1, 0" <<<"$resources" || fail "$arch: no file version 1.3.1.0"
  # The read-me: a byte order mark, Chinese text, this version's zip names.
  local readme="$into/$name/README.txt"
  [ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || fail "$arch read-me has no BOM"
  grep -q "quillbox-$version-win32.zip" "$readme" && grep -q "如何删除" "$readme" ||
    fail "$arch read-me lacks the zip names or the removal"
  cmp -s "$into/$name/help.html" res/help.html || fail "$arch help.html differs"
}

# start_unpacked ARCH: starts the unpacked program from its own folder.
start_unpacked() {
  local arch="$1" dir="$work/$1/quillbox-$version-$1"
  [ -f "$dir/quillbox.exe" ] || return
  (source scripts/wine-env.sh && cd "$dir" && exec wine "$dir/quillbox.exe") >/dev/null 2>&1 &
  local program=$! shown=""
  for _ in $(seq 1 120); do
    xdotool search --name "^$title\$" >/dev/null 2>&1 && [ -f "$dir/Inkwell.cfg" ] && { shown=1; break; }
    sleep 0.5
  done
  [ -n "$shown" ] || fail "$arch program unpacked into a fresh folder did not start there"
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  for _ in $(seq 1 40); do
    xdotool search --name "^$title\$" >/dev/null 2>&1 || break
    sleep 0.5
  done
}

check_package win64 x86_64-w64-mingw32 pei-x86-64
check_package win32 i686-w64-mingw32 pei-i386
start_unpacked win64
if (source scripts/wine-env.sh && qb_wine32_runs); then
  start_unpacked win32
else
  echo "package test: this machine runs no 32-bit programs; the 32-bit package is checked, not started"
fi

if [ "$failures" -ne 0 ]; then
  echo "package test: $failures failures"
  exit 1
fi
echo "package test: passed"
