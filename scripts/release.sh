#!/usr/bin/env bash
# Builds both Windows programs in Release mode and packs them with the README
# into build/release/kurslotse-2007.zip:
#   kurslotse-2007/win32/kurslotse.exe   the 32-bit program
#   kurslotse-2007/win64/kurslotse.exe   the 64-bit program
#   kurslotse-2007/SHA256SUMS            a SHA-256 sum of each program
#   kurslotse-2007/README.md, docs/      the README and its pictures
#
# Every clean build of the same sources gives the same bytes (no link time,
# no build path in the programs). `release.sh --check` shows it: it builds
# each program once more in a fresh tree elsewhere and compares the two.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
presets=(windows windows64)
for preset in "${presets[@]}"; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset --target kurslotse >/dev/null
done

if [ "${1:-}" = --check ]; then
  status=0
  for preset in "${presets[@]}"; do
    fresh=$(mktemp -d)
    cmake --preset $preset -B "$fresh" -DKL_TESTS=OFF >/dev/null
    cmake --build "$fresh" --target kurslotse >/dev/null
    if cmp -s "build/$preset/shell/kurslotse.exe" "$fresh/shell/kurslotse.exe"; then
      echo "ok: $preset: two clean builds give the same program ($(sha256sum <"$fresh/shell/kurslotse.exe" | cut -c1-16)...)"
    else
      echo "FAIL: $preset: build/$preset and a fresh tree give different programs:"
      cmp -l "build/$preset/shell/kurslotse.exe" "$fresh/shell/kurslotse.exe" | head -5
      status=1
    fi
    rm -rf "$fresh"
  done
  exit $status
fi

out=$root/build/release
stage=$out/kurslotse-2007
rm -rf "$stage" "$out/kurslotse-2007.zip"
mkdir -p "$stage/win32" "$stage/win64" "$stage/docs"
cp build/windows/shell/kurslotse.exe "$stage/win32/"
cp build/windows64/shell/kurslotse.exe "$stage/win64/"
cp README.md "$stage/"
cp docs/*.png "$stage/docs/"
(cd "$stage" && sha256sum win32/kurslotse.exe win64/kurslotse.exe >SHA256SUMS && cat SHA256SUMS)
(cd "$out" && cmake -E tar cf kurslotse-2007.zip --format=zip kurslotse-2007)
echo "release: $out/kurslotse-2007.zip"
