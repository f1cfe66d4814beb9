#!/usr/bin/env bash
# Draws the program's icons into res/icons/*.ico with ImageMagick.
#
# Every image is drawn on a canvas four times its final size and then
# averaged down (box filter), which gives clean anti-aliased edges. All
# images are 32-bit with alpha.
#
#   app.ico       window icon: clipboard with a quill, 16, 20, 24, 32, 48
#   tray.ico      notification-area icon: the same motif, 16, 20, 24, 32
#   exit.ico      toolbar: red power button, 16, 20, 24, 32
#   settings.ico  toolbar: gear, 16, 20, 24, 32
#   help.ico      toolbar: blue disc with a question mark, 16, 20, 24, 32
#   about.ico     toolbar: blue disc with an "i", 16, 20, 24, 32
#
# The sizes beyond 16 and 32 are for screens of 120, 144 and 192 DPI: the
# program picks the size its monitor's DPI asks for.
#
# Usage: scripts/make-icons.sh [output folder]   (default: res/icons)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/res/icons}"
mkdir -p "$out"

command -v convert >/dev/null || { echo "make-icons: ImageMagick (convert) is missing" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# render SIZE FILE DRAW-OPTIONS...
# Draws on a transparent canvas of 4*SIZE pixels and reduces it to SIZE.
render() {
  local size="$1" file="$2"
  shift 2
  render_from "$size" "$size" "$file" "$@"
}

# render_from SIZE DRAWN FILE DRAW-OPTIONS...
# The same for a drawing whose coordinates are made for DRAWN pixels: it is
# scaled (strokes included) to SIZE.
render_from() {
  local size="$1" drawn="$2" file="$3"
  shift 3
  local big=$((size * 4)) k
  k="$(awk -v s="$size" -v d="$drawn" 'BEGIN { printf "%.6f", s / d }')"
  convert -size "${big}x${big}" xc:none -strokewidth 0 -affine "$k,0,0,$k,0,0" "$@" \
    -filter Box -resize "${size}x${size}" -depth 8 "PNG32:$file"
}

# tool NAME DRAW-OPTIONS...: a toolbar icon drawn for 16 pixels, at every size.
tool() {
  local name="$1" size
  shift
  for size in 16 20 24 32; do render_from "$size" 16 "$work/$name$size.png" "$@"; done
  convert "$work/${name}16.png" "$work/${name}20.png" "$work/${name}24.png" \
    "$work/${name}32.png" "$out/$name.ico"
}

# ImageMagick strokes an open path as if it were closed, so curved strokes are
# drawn as chains of short round-capped lines instead.
# bezier X0 Y0 X1 Y1 X2 Y2 X3 Y3: a cubic curve as 16 "line" primitives.
bezier() {
  awk -v p="$*" 'BEGIN {
    split(p, a, " "); px = a[1]; py = a[2]
    for (i = 1; i <= 16; i++) {
      t = i / 16; u = 1 - t
      x = u*u*u*a[1] + 3*u*u*t*a[3] + 3*u*t*t*a[5] + t*t*t*a[7]
      y = u*u*u*a[2] + 3*u*u*t*a[4] + 3*u*t*t*a[6] + t*t*t*a[8]
      printf "line %.2f,%.2f %.2f,%.2f ", px, py, x, y; px = x; py = y
    }
  }'
}
# arc CX CY R FROM TO: a circular arc (degrees, clockwise from +x) as 24 lines.
arc() {
  awk -v p="$*" 'BEGIN {
    split(p, a, " "); pi = atan2(0, -1)
    for (i = 0; i <= 24; i++) {
      t = (a[4] + (a[5] - a[4]) * i / 24) * pi / 180
      x = a[1] + a[3] * cos(t); y = a[2] + a[3] * sin(t)
      if (i) printf "line %.2f,%.2f %.2f,%.2f ", px, py, x, y
      px = x; py = y
    }
  }'
}

# ---- Clipboard with a quill ------------------------------------------------
# Coordinates are in the 4x canvas: 0..128 for 32 pixels, 0..64 for 16.

# quill LENGTH FEATHER OUTLINE WIDTH X Y ANGLE
# The quill is drawn along the x axis with its nib at the origin, then moved
# so that the nib sits at X,Y and turned by ANGLE degrees.
quill() {
  local len="$1" fill="$2" edge="$3" w="$4"
  local v0=$((len * 18 / 100)) vm=$((len * 55 / 100)) up=$((len * 16 / 100)) dn=$((len * 9 / 100))
  local nib=$((len * 14 / 100)) nw=$((len * 4 / 100 + 1))
  # feather vane: wide above the shaft, narrow below it, pointed tip
  printf "%s\n" -fill "$fill" -stroke "$edge" -strokewidth "$w" -draw \
    "translate $5,$6 rotate $7 path 'M $v0,0 C $((v0 + 6)),-$up $vm,-$((up + 2)) $len,0 C $vm,$dn $((v0 + 6)),$dn $v0,0 Z'"
  # shaft
  printf "%s\n" -fill none -stroke "$edge" -strokewidth "$w" -draw \
    "translate $5,$6 rotate $7 line $nib,0 $((len - len / 12)),0"
  # nib
  printf "%s\n" -fill '#2b2b2b' -stroke '#2b2b2b' -strokewidth 1 -draw \
    "translate $5,$6 rotate $7 polygon 0,0 $nib,-$nw $nib,$nw"
}

clipboard32() {   # $1 = board colour, $2 = feather colour, $3 = feather outline
  local board="$1" feather="$2" edge="$3"
  # board
  printf '%s\n' -fill "$board" -stroke '#4a2c12' -strokewidth 4 \
    -draw 'roundrectangle 14,12 106,124 10,10'
  # paper
  printf '%s\n' -fill '#ffffff' -stroke '#8a8f96' -strokewidth 2 \
    -draw 'rectangle 24,26 96,114'
  # written lines
  printf '%s\n' -fill none -stroke '#7f95b3' -strokewidth 4 \
    -draw 'line 34,44 84,44' -draw 'line 34,58 84,58' -draw 'line 34,72 70,72' -draw 'line 34,86 60,86'
  # clip
  printf '%s\n' -fill '#c9ced4' -stroke '#464d57' -strokewidth 4 \
    -draw 'roundrectangle 38,4 82,28 6,6'
  printf '%s\n' -fill '#464d57' -stroke none -draw 'roundrectangle 52,9 68,15 3,3'
  # quill across the sheet, nib at the lower left
  quill 112 "$feather" "$edge" 4 36 114 -52
}

clipboard16() {   # same motif, simplified for 16 pixels; edges sit on pixel centres
  local board="$1" feather="$2" edge="$3"
  printf '%s\n' -fill "$board" -stroke '#4a2c12' -strokewidth 4 \
    -draw 'roundrectangle 6,10 54,62 5,5'
  printf '%s\n' -fill '#ffffff' -stroke none -draw 'rectangle 12,16 48,56'
  printf '%s\n' -fill none -stroke '#7f95b3' -strokewidth 4 \
    -draw 'line 16,26 36,26' -draw 'line 16,34 30,34' -draw 'line 16,42 24,42'
  printf '%s\n' -fill '#c9ced4' -stroke '#464d57' -strokewidth 4 \
    -draw 'roundrectangle 22,2 38,14 3,3'
  quill 64 "$feather" "$edge" 2 14 58 -48
}

mapfile -t a32 < <(clipboard32 '#b07a3c' '#4f86e0' '#1d2f66')
mapfile -t a16 < <(clipboard16 '#b07a3c' '#4f86e0' '#1d2f66')
render 32 "$work/app32.png" "${a32[@]}"
render 16 "$work/app16.png" "${a16[@]}"
render_from 20 16 "$work/app20.png" "${a16[@]}"
render_from 24 32 "$work/app24.png" "${a32[@]}"
render_from 48 32 "$work/app48.png" "${a32[@]}"
convert "$work/app16.png" "$work/app20.png" "$work/app24.png" "$work/app32.png" \
  "$work/app48.png" "$out/app.ico"

# The tray icon carries a warmer quill so it stands out in the notification area.
mapfile -t t32 < <(clipboard32 '#b07a3c' '#ee6a3a' '#6e2410')
mapfile -t t16 < <(clipboard16 '#b07a3c' '#ee6a3a' '#6e2410')
render 32 "$work/tray32.png" "${t32[@]}"
render 16 "$work/tray16.png" "${t16[@]}"
render_from 20 16 "$work/tray20.png" "${t16[@]}"
render_from 24 32 "$work/tray24.png" "${t32[@]}"
convert "$work/tray16.png" "$work/tray20.png" "$work/tray24.png" "$work/tray32.png" \
  "$out/tray.ico"

# ---- Toolbar icons, drawn for 16x16 (canvas 64x64) and scaled -----------------

# Exit: red disc with a white power symbol.
tool exit \
  -fill '#d9362b' -stroke '#6e1510' -strokewidth 4 -draw 'circle 32,32 32,3' \
  -fill none -stroke '#ffffff' -strokewidth 6.5 \
  -draw "stroke-linecap round $(arc 32 33 14 -50 230) line 32,12 32,31"

# Settings: steel gear with eight teeth and a hole.
gear_path() {   # cx cy outer inner hole teeth
  awk -v cx="$1" -v cy="$2" -v ro="$3" -v ri="$4" -v rh="$5" -v n="$6" 'BEGIN {
    pi = atan2(0, -1); step = 2 * pi / n; p = ""
    for (i = 0; i < n; i++) {
      a = i * step - pi / 2
      # each tooth: inner corner, outer corner, outer corner, inner corner
      split(sprintf("%f %f %f %f", a - step*0.30, a - step*0.18, a + step*0.18, a + step*0.30), t, " ")
      p = p sprintf("%s %.2f,%.2f L %.2f,%.2f L %.2f,%.2f L %.2f,%.2f ",
        (i == 0 ? "M" : "L"),
        cx + ri*cos(t[1]), cy + ri*sin(t[1]), cx + ro*cos(t[2]), cy + ro*sin(t[2]),
        cx + ro*cos(t[3]), cy + ro*sin(t[3]), cx + ri*cos(t[4]), cy + ri*sin(t[4]))
    }
    p = p "Z "
    # the hole as a second sub-path; even-odd filling leaves it empty
    p = p sprintf("M %.2f,%.2f A %d,%d 0 1,0 %.2f,%.2f A %d,%d 0 1,0 %.2f,%.2f Z",
      cx + rh, cy, rh, rh, cx - rh, cy, rh, rh, cx + rh, cy)
    print p
  }'
}
tool settings \
  -fill '#9aa6b4' -stroke '#343c47' -strokewidth 4 \
  -draw "fill-rule evenodd path '$(gear_path 32 32 30 21 8 8)'"

# Help: blue disc with a white question mark.
tool help \
  -fill '#2f78d6' -stroke '#123c78' -strokewidth 4 -draw 'circle 32,32 32,3' \
  -fill none -stroke '#ffffff' -strokewidth 6.5 \
  -draw "stroke-linecap round $(bezier 21 22 21 9 43 9 43 20) $(bezier 43 20 43 27 32 27 32 35) line 32,35 32,37" \
  -fill '#ffffff' -stroke none -draw 'circle 32,46 32,50.5'

# About: blue disc with a white "i".
tool about \
  -fill '#2f78d6' -stroke '#123c78' -strokewidth 4 -draw 'circle 32,32 32,3' \
  -fill '#ffffff' -stroke none -draw 'circle 32,17 32,22' \
  -draw 'roundrectangle 27,27 37,50 2,2'

echo "make-icons: wrote app.ico tray.ico exit.ico settings.ico help.ico about.ico to $out"
