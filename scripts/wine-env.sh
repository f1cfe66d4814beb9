# Sourced by the Wine scripts: the environment every Wine process of the
# project runs in. QB_WINEPREFIX chooses the prefix (one per build folder).
export WINEPREFIX="${QB_WINEPREFIX:-${WINEPREFIX:-$HOME/.quillbox-wine}}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 936 inside Wine comes from LC_ALL (LANG alone is not enough).
# (The shell may warn that it lacks that locale itself; Wine does not need it.)
export LC_ALL=zh_CN.UTF-8 2>/dev/null

# With Wine's 32-bit half installed, the plain `wine` command starts the
# 32-bit loader even for 64-bit programs; on a kernel without 32-bit
# support that loader cannot run at all. Then 64-bit programs go straight
# to the 64-bit loader.
if [ -x /usr/lib/wine/wine64 ] && [ -x /usr/lib/wine/wine ] &&
   ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  qb_wine_shim="${TMPDIR:-/tmp}/quillbox-wine64-shim"
  if [ ! -x "$qb_wine_shim/wine" ]; then
    mkdir -p "$qb_wine_shim"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
      > "$qb_wine_shim/wine.$$" && chmod +x "$qb_wine_shim/wine.$$" &&
      mv -f "$qb_wine_shim/wine.$$" "$qb_wine_shim/wine"
  fi
  case ":$PATH:" in *":$qb_wine_shim:"*) ;; *) export PATH="$qb_wine_shim:$PATH" ;; esac
fi

# True when Wine here runs 32-bit Windows programs: its 32-bit half is
# installed and the machine runs 32-bit Linux programs (some virtual machines
# run 64-bit code only).
qb_wine32_runs() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
