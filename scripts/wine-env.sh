# Sourced by the Wine scripts: the environment every Wine process of the
# project runs in. QB_WINEPREFIX chooses the prefix (one per build folder).
export WINEPREFIX="${QB_WINEPREFIX:-${WINEPREFIX:-$HOME/.quillbox-wine}}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 936 inside Wine comes from LC_ALL (LANG alone is not enough).
# (The shell may warn that it lacks that locale itself; Wine does not need it.)
export LC_ALL=zh_CN.UTF-8 2>/dev/null

# True when Wine here runs 32-bit Windows programs: its 32-bit half is
# installed and the machine runs 32-bit Linux programs (some virtual machines
# run 64-bit code only).
qb_wine32_runs() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
