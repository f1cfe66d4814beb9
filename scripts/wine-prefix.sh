#!/usr/bin/env bash
# Makes the Wine prefix once: Chinese font with SimSun mapped onto it, and
# unmanaged windows (no 2 s wait when a window hides without a window
# manager). Needs a display (DISPLAY set).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"

[ -f "$WINEPREFIX/.quillbox-ready" ] && exit 0

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

reg="$(mktemp --suffix=.reg)"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"SimSun"="WenQuanYi Zen Hei"\r\n'
  printf '"宋体"="WenQuanYi Zen Hei"\r\n'
  printf '"NSimSun"="WenQuanYi Zen Hei"\r\n'
  printf '"MS Shell Dlg"="WenQuanYi Zen Hei"\r\n'
  printf '"MS Shell Dlg 2"="WenQuanYi Zen Hei"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
  printf '"Managed"="N"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
touch "$WINEPREFIX/.quillbox-ready"
