#!/usr/bin/env bash
# Checks the built program without running it: a GUI executable of the
# expected kind, exporting the three window procedures under their plain
# names, and importing only from DLLs that every Windows has (no runtime
# DLL of the compiler may be needed beside it).
# Usage: check_exe.sh <objdump> <program.exe> <pe32|pe32+>
set -uo pipefail
objdump=$1 exe=$2 kind=$3
head=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

case $kind in
pe32) magic='010b' ;;
pe32+) magic='020b' ;;
*) echo "usage: check_exe.sh <objdump> <program.exe> <pe32|pe32+>"; exit 2 ;;
esac
grep -Eq "^Magic[[:space:]]+$magic" <<<"$head" || fail "not a ${kind^^} image (Magic $magic)"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$head" || fail "not a Windows GUI program (Subsystem 2)"

exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && /^[ \t]*\[/ { print $NF } on && /^[ \t]*$/ { on = 0 }' \
  <<<"$head" | sort | tr '\n' ' ')
[ "$exports" = "WndDiaProc WndMaiProc WndTexProc " ] ||
  fail "exports are '$exports', not exactly WndDiaProc WndMaiProc WndTexProc"

system='^(kernel32|user32|gdi32|comdlg32|msvcrt|advapi32|ntdll|oleacc|oleaut32)\.dll$' # comdlg32: the print dialog; oleacc, oleaut32: the results for screen readers
dlls=$(awk '/DLL Name:/ { print $3 }' <<<"$head")
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
  grep -Eqi "$system" <<<"$dll" || fail "imports $dll, which is not a system DLL"
done

[ $failed = 0 ] && echo "ok: $kind GUI program, exports $exports, imports $(tr '\n' ' ' <<<"$dlls")"
exit $failed
