#!/usr/bin/env bash
# Installs everything the build, the tests and the program need on a Debian
# machine. Safe to run again: it only installs what is missing.
#
# Both Windows programs are cross-built (x86_64 and i686 MinGW-w64) and run
# under Wine. The 32-bit one needs the 32-bit half of Wine (wine32, from the
# i386 architecture), which works only where the machine runs 32-bit Linux
# programs; some virtual machines run 64-bit code only, and there wine32 would
# break Wine altogether. There the 32-bit build's exports are tested by a
# 32-bit Linux program under qemu-i386 instead.
set -euo pipefail

# libbenchmark-dev and libssl-dev serve only the benchmarks (scripts/bench.sh:
# Google Benchmark, and OpenSSL's MD5 as the reference); the program never
# links them. zip and unzip make and check the release packages.
packages=(
  cmake ninja-build g++ g++-multilib googletest
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine64 xvfb xdotool xclip x11-utils xauth
  fonts-wqy-zenhei fonts-wine imagemagick
  libbenchmark-dev libssl-dev zip unzip
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=""

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

install() {
  [ $# -gt 0 ] || return 0
  if [ -z "$updated" ]; then $sudo apt-get update -q; updated=1; fi
  echo "setup: installing $*"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$@"
}

mapfile -t wanted < <(missing "${packages[@]}")
install "${wanted[@]}"

# Does this machine run 32-bit programs?
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
printf 'int main(void) { return 0; }\n' > "$probe/probe.c"
runs32=""
gcc -m32 -static "$probe/probe.c" -o "$probe/probe" && "$probe/probe" 2>/dev/null && runs32=1

if [ -n "$runs32" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture (for wine32)"
    $sudo dpkg --add-architecture i386
    updated=""
  fi
  mapfile -t wanted < <(missing wine32:i386)
  install "${wanted[@]}"
else
  echo "setup: this machine runs no 32-bit programs: no 32-bit Wine; the 32-bit exports run under qemu-i386"
  mapfile -t wanted < <(missing qemu-user-static)
  install "${wanted[@]}"
  if [ -z "$(missing wine32:i386)" ]; then
    echo "setup: wine32 is installed but cannot run here, so Wine fails; remove it (apt-get remove wine32:i386)" >&2
  fi
fi
