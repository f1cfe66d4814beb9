#!/usr/bin/env bash
# Makes the Wine prefix once: Chinese font with SimSun and the dialog fonts
# mapped onto it, Wine's own fonts, and unmanaged windows (no 2 s wait when a
# window hides without a window manager). Needs a display (DISPLAY set).
#
# The ready marker holds the version of this set-up. A prefix made by an
# older version, or made before the 32-bit half of Wine was installed (such a
# prefix cannot run 32-bit programs), is made anew.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"

# Raise it whenever the prefix is set up differently.
version="quillbox prefix 2"
marker="$WINEPREFIX/.quillbox-ready"

runs_32_bit() { [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }

if [ -f "$marker" ]; then
  if [ "$(cat "$marker")" = "$version" ] && { runs_32_bit || ! qb_wine32_runs; }; then
    exit 0
  fi
  echo "wine-prefix: $WINEPREFIX is out of date; making it anew" >&2
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf -- "$WINEPREFIX"
fi

mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc "$fonts/"
# Wine's own fonts (Marlett draws the title-bar buttons).
if [ -d /usr/share/wine/fonts ]; then
  cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
fi

# The Sharp face of the .ttc is the bitmap-hinted one: with the plain face
# Wine draws 9-point Chinese without smoothing and drops strokes.
face="WenQuanYi Zen Hei Sharp"
reg="$(mktemp --suffix=.reg)"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for name in SimSun 宋体 NSimSun 新宋体 "MS Shell Dlg" "MS Shell Dlg 2"; do
    printf '"%s"="%s"\r\n' "$name" "$face"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
  printf '"Managed"="N"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg"

if qb_wine32_runs && ! runs_32_bit; then
  echo "wine-prefix: $WINEPREFIX cannot run 32-bit programs" >&2
fi
printf '%s\n' "$version" > "$marker"
