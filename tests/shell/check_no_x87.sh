#!/usr/bin/env bash
# Checks that the program's own compiled code does its floating point in SSE
# registers: no x87 instruction that computes (add, subtract, multiply,
# divide, square root, the transcendental ones, rounding to an integer) is
# in it. Those work in the x87 unit's longer registers and give other last
# bits than the native build. Moving a value through the x87 stack, its
# sign (fabs, fchs), comparing and converting whole numbers change no
# value and are allowed: the 32-bit calling convention returns doubles there.
# Usage: check_no_x87.sh <objdump> <object or library>...
set -uo pipefail
objdump=$1
shift
computing='^f(i?(add|sub|subr|mul|div|divr)[pslt]?|sqrt|sin|cos|sincos|ptan|patan|yl2x|yl2xp1|2xm1|scale|prem1?|rndint)$'
failed=0
for file in "$@"; do
  listing=$("$objdump" -d --no-show-raw-insn "$file") || { echo "FAIL: $objdump cannot read $file"; failed=1; continue; }
  found=$(awk -v re="$computing" '
      /^[0-9a-f]+ <.*>:$/ { fn = $2 }
      /^ *[0-9a-f]+:\t/ { split($0, part, "\t"); split(part[2], word, " "); if (word[1] ~ re) print fn, word[1] }
    ' <<<"$listing" | sort | uniq -c)
  if [ -n "$found" ]; then
    echo "FAIL: $file computes in the x87 unit (count, function, instruction):"
    echo "$found"
    failed=1
  fi
done
[ $failed = 0 ] && echo "ok: no x87 arithmetic in $# files of the program's code"
exit $failed
