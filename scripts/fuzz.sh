#!/usr/bin/env bash
# Short fuzzing runs with a fixed seed, from the corpus kept in fuzz/corpus:
# each target tries a fixed number of inputs (about five seconds each on a
# quiet machine here), so a busy machine takes longer rather than trying
# fewer.
# Any crash, sanitizer report or leak fails the command; the fuzzer's whole
# report is printed with the path of the input that reproduces it (kept in
# build/fuzz/findings/<fuzzer>/).
#
#   scripts/fuzz.sh                   the short runs of the test command
#   KL_FUZZ_ARGS="-runs=10000000" scripts/fuzz.sh   a long run: any libFuzzer
#                                     options, added after the defaults
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# The fuzz targets are built first (nothing to do when they are up to date).
bash scripts/setup.sh || exit 1
{ cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null; } || {
  echo "FAILED: the fuzz build (cmake --preset fuzz && cmake --build --preset fuzz)"
  exit 1
}
# Inputs tried per target: fuzz_paint lays out and paints a whole window,
# the others read one settings file or one number text.
declare -A runs=([fuzz_paint]=24000 [fuzz_settings]=110000 [fuzz_value]=850000)
status=0
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  findings="$root/build/fuzz/findings/$name"
  mkdir -p "$findings"
  cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "--- $name"
  log="$work.log"
  # shellcheck disable=SC2086 # KL_FUZZ_ARGS holds several options
  (cd "$work" && "$root/$target" -seed=1 -runs="${runs[$name]:-100000}" -max_len=600 -print_final_stats=1 \
      -artifact_prefix="$findings/" ${KL_FUZZ_ARGS:-} "$work") >"$log" 2>&1
  rc=$?
  if [ "$rc" -eq 0 ]; then
    grep -E '^(Done|#[0-9]+.*DONE)|stat::number_of_executed_units|stat::average_exec_per_sec' "$log" || tail -2 "$log"
  else
    echo "FAILED: $name exited with $rc. Its report:"
    cat "$log"
    echo "Reproducer(s):"
    grep -oE "(Test unit written to|artifact_prefix.*|written to) [^ ]+" "$log" | sed 's/^/  /'
    status=1
  fi
  rm -rf "$work" "$log"
done
exit "$status"
