#!/usr/bin/env bash
# Checks the machine code of the functions quillbox.exe exports, the way a
# program that loads the executable with LoadLibrary needs it: that program
# gets the image without its relocations and imports applied, so the exported
# code must
#   - hold no absolute address (no base relocation falls inside it),
#   - read no data of the image (nothing addressed relative to the
#     instruction pointer either), and
#   - call and jump only within itself: directly, to the exported functions
#     and the file-local functions they use, never indirectly (import thunks,
#     function pointers, jump tables) and never into the runtime.
# Every function reached from an export by a direct call or jump is checked.
#
#   check-exported-code.sh OBJDUMP NM quillbox.exe
set -uo pipefail
[ $# -eq 3 ] || { echo "usage: $0 OBJDUMP NM EXECUTABLE" >&2; exit 2; }
objdump="$1" nm="$2" exe="$3"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$nm" -n --defined-only "$exe" >"$work/symbols" &&
  "$objdump" -p "$exe" >"$work/headers" &&
  "$objdump" -d --no-show-raw-insn "$exe" >"$work/code" || exit 2

awk -v exports="MD5Init MD5Update MD5Final BufferToHexStr HexStrToBuffer EnCryptData DeCryptData" '
function hex(s,    i, n) {
  s = tolower(s); sub(/^[ \t]*(0x)?/, "", s); n = 0
  for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
  return n
}
function tohex(n,    s) {
  s = ""
  do { s = substr("0123456789abcdef", n % 16 + 1, 1) s; n = int(n / 16) } while (n > 0)
  return s
}
# Addresses as array keys (awk would print large numbers in exponent form).
function key(a) { return sprintf("%.0f", a) }
function problem(text) { print "exported code: " text; ++problems }
# The symbol whose range holds address a (binary search over the sorted table).
function symbolAt(a,    lo, hi, mid) {
  lo = 1; hi = nsym
  if (nsym == 0 || a < symAddr[1]) return 0
  while (lo < hi) { mid = int((lo + hi + 1) / 2); if (symAddr[mid] <= a) lo = mid; else hi = mid - 1 }
  return lo
}
function enqueue(k) { if (!(k in queued)) { queued[k] = 1; queue[++nqueue] = k } }

part == "symbols" && NF >= 3 {
  a = hex($1)
  # Of several symbols at one address keep a global function, else a local one.
  if (nsym > 0 && symAddr[nsym] == a) {
    if ($2 == "T" || $2 == "t" && symType[nsym] != "T") { symType[nsym] = $2; symName[nsym] = $3 }
    next
  }
  ++nsym; symAddr[nsym] = a; symType[nsym] = $2; symName[nsym] = $3
  next
}

part == "headers" {
  if ($1 == "ImageBase") imageBase = hex($2)
  if (/^Export Address Table --/) { section = "eat"; next }
  if (/^\[Ordinal\/Name Pointer\] Table/) { section = "names"; next }
  if (/^PE File Base Relocations/) { section = "relocs"; next }
  if (section == "eat" && $1 ~ /^\[/ && $0 ~ /Export RVA/) {
    line = $0; gsub(/[][]/, " ", line); split(line, f, /[ \t]+/)
    # f: "", index, "+base", ordinal, rva, ...
    eat[f[2] + 0] = hex(f[5])
  }
  if (section == "names" && $1 ~ /^\[/) {
    line = $0; gsub(/[][]/, " ", line); split(line, f, /[ \t]+/)
    exportIndex[f[3]] = f[2] + 0
  }
  if (section == "relocs" && $1 == "reloc" && $NF != "ABSOLUTE") {
    line = $0; gsub(/[][]/, " ", line); split(line, f, /[ \t]+/)
    relocRva[++nreloc] = hex(f[6])
  }
  next
}

part == "code" && match($0, /^ *[0-9a-f]+:\t/) {
  a = hex(substr($0, 1, index($0, ":") - 1))
  ++nins; insAddr[nins] = a; insText[nins] = substr($0, index($0, "\t") + 1); insAt[key(a)] = nins
  next
}

END {
  n = split(exports, names, " ")
  for (i = 1; i <= n; i++) {
    if (!(names[i] in exportIndex)) { problem(names[i] " is not exported"); continue }
    a = imageBase + eat[exportIndex[names[i]]]
    k = symbolAt(a)
    if (k == 0 || symAddr[k] != a || symName[k] !~ ("^_?" names[i] "$")) {
      problem(names[i] " is not the function of that name"); continue
    }
    isExport[k] = 1; enqueue(k)
  }
  for (q = 1; q <= nqueue; q++) {
    k = queue[q]; start = symAddr[k]; end = k < nsym ? symAddr[k + 1] : start
    where = symName[k]
    if (!(key(start) in insAt)) { problem(where ": no code at its address"); continue }
    for (r = 1; r <= nreloc; r++) {
      if (imageBase + relocRva[r] >= start && imageBase + relocRva[r] < end)
        problem(where ": absolute address at " tohex(imageBase + relocRva[r]) " (patched only by relocation)")
    }
    for (i = insAt[key(start)]; i <= nins && insAddr[i] < end; i++) {
      t = insText[i]
      if (t ~ /\(%rip\)/) problem(where ": reads data of the image at " tohex(insAddr[i]) ": " t)
      if (t ~ /(^|[ \t])l?(call|jmp)[lqw]?[ \t]+\*/) problem(where ": indirect call or jump at " tohex(insAddr[i]) ": " t)
      if (match(t, /(^|[ \t])(call|jmp|j[a-z]+|loop[a-z]*)[lqw]?[ \t]+[0-9a-f]+ </)) {
        split(substr(t, RSTART, RLENGTH), f, /[ \t]+/)
        target = hex(f[f[1] == "" ? 3 : 2])
        if (target >= start && target < end) continue
        j = symbolAt(target)
        if (j == 0 || !(isExport[j] || symType[j] == "t")) {
          problem(where ": leaves the exported code at " tohex(insAddr[i]) ": " t)
          continue
        }
        enqueue(j)
      }
    }
    ++checked
  }
  if (nreloc == 0) problem("the executable carries no base relocations, so absolute addresses cannot be found")
  printf "exported code: %d functions checked, %d problems\n", checked, problems
  exit problems > 0
}
' part=symbols "$work/symbols" part=headers "$work/headers" part=code "$work/code"
