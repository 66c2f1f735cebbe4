#!/usr/bin/env bash
# Compares a Windows build's results table (test_results_table under Wine)
# with the one the native build writes now: the same flights must give the
# same texts, byte for byte. The native test program is brought up to date
# in its build tree first.
# Usage: compare_results_table.sh <native build dir> <windows table>
set -uo pipefail
host=$1 table=$2
[ -s "$table" ] || { echo "FAIL: no results table at $table (test_results_table writes it)"; exit 1; }
# The test command may be building the native tree right now: its build
# holds the tree's lock (build/host.lock), and so does this one.
exec 9>>"$host.lock"
flock 9
[ -f "$host/build.ninja" ] || {
  echo "FAIL: no native build at $host to compare with (cmake --preset host && cmake --build --preset host)"
  exit 1
}
cmake --build "$host" --target test_results_table >/dev/null || { echo "FAIL: building the native table's program"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$host/tests/form/test_results_table" >native.log 2>&1) || {
  echo "FAIL: the native table's program failed:"
  cat "$work/native.log"
  exit 1
}
if cmp -s "$work/results_table.txt" "$table"; then
  echo "ok: $(grep -c '^flight' "$table") flights: the same texts as the native build ($(sha256sum <"$table" | cut -c1-16)...)"
  exit 0
fi
echo "FAIL: $table differs from the native build's table; the first differing lines (< native, > this build):"
diff "$work/results_table.txt" "$table" | head -40
exit 1
