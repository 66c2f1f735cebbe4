#!/usr/bin/env bash
# What a linked Windows program is made of, from its linker map (the build
# writes <program>.exe.map beside it): the bytes each object file or library
# member brings into the program's code and data (.bss, which takes no room
# in the file, apart), the largest first, and the totals of the program's
# own code and of the runtime.
# Usage: scripts/linked.sh [build tree, default build/windows] [rows, default 25]
set -uo pipefail
cd "$(dirname "$0")/.."
tree=${1:-build/windows} rows=${2:-25}
map=$tree/shell/kurslotse.exe.map
[ -r "$map" ] || { echo "no linker map at $map: build the program first (cmake --build --preset ${tree#build/})" >&2; exit 1; }
awk -v rows="$rows" '
  function hex(s,   v, i) { sub(/^0x/, "", s); v = 0
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return v }
  function take(addr, len, path,   f) {
    if (out !~ /^\.(text|data|rdata|pdata|xdata|eh_frame|CRT|tls|bss)$/ || hex(len) == 0) return
    f = path; sub(/.*\//, "", f)
    if (out == ".bss") bss[f] += hex(len); else bytes[f] += hex(len)
  }
  /^\.[A-Za-z_]+([ \t]+0x|$)/ { out = $1 }
  # An input section on one line, or its name alone with the numbers below.
  /^ \.[^ \t]+[ \t]+0x[0-9a-f]+[ \t]+0x[0-9a-f]+[ \t]+[^ \t]/ { take($2, $3, $4); next }
  /^ \.[^ \t]+$/ { pending = 1; next }
  pending && /^[ \t]+0x[0-9a-f]+[ \t]+0x[0-9a-f]+[ \t]+[^ \t]/ { take($1, $2, $3) }
  { pending = 0 }
  END {
    for (f in bss) bytes[f] += 0
    for (f in bytes) {
      own = f ~ /^(libkl[a-z]+\.a\(|main\.cpp)/
      total[own] += bytes[f]; printf "%7d %s%s\n", bytes[f], f, (bss[f] ? "  (+" bss[f] " bytes .bss)" : "")
    }
    printf "%7d program code and data\n%7d runtime and start-up\n", total[1], total[0] > "/dev/stderr"
  }' "$map" 2>"$map.totals" | sort -rn | head -n "$rows"
cat "$map.totals"
rm -f "$map.totals"
echo "$(stat -c %s "$tree/shell/kurslotse.exe") bytes kurslotse.exe (with headers, imports and resources)"
