#!/usr/bin/env bash
# Checks a linked Windows program for floating point that would round
# otherwise than the native build's:
# - no x87 instruction that computes (add, subtract, multiply, divide, square
#   root, the transcendental ones, rounding to an integer) anywhere in its
#   code, but in the runtime functions of the allow-list below. Those work in
#   the x87 unit's longer registers and give other last bits. Moving a value
#   through the x87 stack, its sign (fabs, fchs), comparing and converting
#   whole numbers change no value and are allowed: the 32-bit calling
#   convention returns doubles there.
# - the runtime's start-up leaves the x87 unit rounding to double (53 bits):
#   it resets the unit through msvcrt's _fpreset (mingw-w64's CRT_fp8.o) and
#   nowhere with fninit, which selects 64 bits. The runtime's own reading and
#   formatting of numbers (strtod, printf, scanf) is x87 code written for 53.
# The program is stripped: the linker's map names the function and library
# member at each address.
# Usage: check_no_x87.sh <objdump> <program.exe> <linker map>
set -uo pipefail
objdump=$1 exe=$2 map=$3
computing='^f(i?(add|sub|subr|mul|div|divr)[pslt]?|sqrt|sin|cos|sincos|ptan|patan|yl2x|yl2xp1|2xm1|scale|prem1?|rndint)$'
# Runtime functions whose x87 arithmetic is exact at any precision, or is
# right at the 53 bits the start-up sets; each says why. The program's own
# code has none: its trigonometry is its own (calc/trig.cpp).
allowed=(
  floor ceil trunc # frndint under a chosen rounding: a whole number, exact
  fmod             # fprem: the exact remainder
  sqrt             # fsqrt: rounded once, to double at 53 bits (as SSE's)
  # gdtoa, behind printf, scanf and strtod: double arithmetic, written for 53
  __gdtoa __strtodg __ratio_D2A
)
failed=0
fail() { echo "FAIL: $*"; failed=1; }

listing=$("$objdump" -d --no-show-raw-insn "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }
[ -r "$map" ] || { echo "FAIL: no linker map $map"; exit 1; }

# The map's .text section as "address<TAB>member<TAB>function", by address:
# each input file where it starts and each named function in it.
hex='function hex(s,   v, i) { sub(/^0x/, "", s); v = 0
  for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return v }'
places=$(awk "$hex"'
    /^\.text[ \t]/ { text = 1; next }
    text && /^[^ \t]/ { text = 0 }
    !text { next }
    # An input section on one line, or its name alone with the numbers below.
    $1 ~ /^\.text/ && NF == 1 { pending = 1; next }
    pending && $1 ~ /^0x/ && $2 ~ /^0x/ && NF >= 3 { $0 = ".text " $0 }
    { pending = 0 }
    $1 ~ /^\.text/ && $2 ~ /^0x/ && NF >= 4 { file = $4; sub(/.*\//, "", file); printf "%.0f\t%s\t\n", hex($2), file; next }
    $1 ~ /^0x/ && NF >= 2 && $2 !~ /^0x/ && $0 !~ / = / {
      name = $0; sub(/^[ \t]*0x[0-9a-f]+[ \t]+/, "", name); printf "%.0f\t%s\t%s\n", hex($1), file, name
    }
  ' "$map" | sort -n -s -k1,1) && [ -n "$places" ] || { echo "FAIL: no .text section in the map $map"; exit 1; }

# Every computing instruction as "member function instruction": the input
# file holding its address and the nearest function at or below it there.
found=$(awk -F '\t' -v re="$computing" "$hex"'
    FNR == NR { n++; at[n] = $1 + 0; member[n] = $2; symbol[n] = $3; next }
    /^ *[0-9a-f]+:\t/ {
      split($2, word, " ")
      if (word[1] !~ re) next
      a = $1; sub(/^ */, "", a); sub(/:$/, "", a); a = hex(a); lo = 1; hi = n
      while (lo < hi) { mid = int((lo + hi + 1) / 2); if (at[mid] <= a) lo = mid; else hi = mid - 1 }
      fn = symbol[lo]; for (i = lo; fn == "" && i > 1 && member[i - 1] == member[lo]; i--) fn = symbol[i - 1]
      print member[lo] " " (fn == "" ? "?" : fn) " " word[1]
    }
  ' <(echo "$places") - <<<"$listing") || { echo "FAIL: cannot read the disassembly of $exe"; exit 1; }
found=$(sort <<<"$found" | uniq -c)

outside=$(awk -v allowed="$(printf '%s\n' "${allowed[@]}")" '
    BEGIN { n = split(allowed, a, "\n"); for (i = 1; i <= n; i++) if (a[i] != "") ok[a[i]] = 1 }
    !(($3) in ok)
  ' <<<"$found")
if [ -n "$outside" ]; then
  fail "$exe computes in the x87 unit outside the allowed runtime functions (count, member, function, instruction):"
  echo "$outside"
fi

grep -Eq $'^ *[0-9a-f]+:\tfninit' <<<"$listing" &&
  fail "$exe resets the x87 unit with fninit, to 64-bit precision: link mingw-w64's CRT_fp8.o"
imports=$("$objdump" -p "$exe")
awk '/DLL Name:/ { dll = tolower($3) } dll == "msvcrt.dll" && $NF == "_fpreset" { found = 1 } END { exit !found }' \
  <<<"$imports" ||
  fail "$exe does not reset the x87 unit through msvcrt's _fpreset (53-bit precision): link mingw-w64's CRT_fp8.o"

[ $failed = 0 ] && echo "ok: $exe starts the x87 unit at 53 bits; x87 arithmetic only in:" &&
  awk '{ print "  " $2, $3 }' <<<"$found" | sort -u
exit $failed
