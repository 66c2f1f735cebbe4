#!/usr/bin/env bash
# Short fuzzing runs with a fixed seed, from the corpus kept in fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "--- $name"
  (cd "$work" && "$OLDPWD/$target" -seed=1 -max_total_time=5 -max_len=600 "$work" 2>&1 | tail -2)
  rm -rf "$work"
done
