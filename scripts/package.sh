#!/usr/bin/env bash
# Builds the release packages for Windows users:
#   dist/quillbox-<version>-win64.zip  (the 64-bit program)
#   dist/quillbox-<version>-win32.zip  (the 32-bit program)
# Each holds one folder, quillbox-<version>-<arch>/, with quillbox.exe,
# help.html and README.txt (the short Chinese read-me of res/readme-zh.txt,
# UTF-8 with a byte order mark and CR LF lines, as Notepad reads it on any
# Windows). The version is the project's (CMakeLists.txt); the programs are
# the Release builds, stripped of their symbol tables.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh >/dev/null
version="$(sed -n 's/^project(Quillbox VERSION \([0-9][0-9.]*\) .*/\1/p' CMakeLists.txt)"
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p dist

for arch in win64 win32; do
  case "$arch" in
    win64) kind=windows   strip=x86_64-w64-mingw32-strip ;;
    win32) kind=windows32 strip=i686-w64-mingw32-strip ;;
  esac
  scripts/build.sh "$kind" >/dev/null
  name="quillbox-$version-$arch"
  mkdir -p "$work/$name"
  "$strip" -o "$work/$name/quillbox.exe" "build/$kind/quillbox.exe"
  cp res/help.html "$work/$name/help.html"
  { printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' res/readme-zh.txt; } \
    > "$work/$name/README.txt"
  rm -f "dist/$name.zip"
  (cd "$work" && zip -q -X -r "$root/dist/$name.zip" "$name")
  echo "package: dist/$name.zip"
done
