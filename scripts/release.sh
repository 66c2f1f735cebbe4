#!/usr/bin/env bash
# Builds both Windows programs in Release mode and packs them with the README
# into build/release/kurslotse-2007.zip:
#   kurslotse-2007/win32/kurslotse.exe   the 32-bit program
#   kurslotse-2007/win64/kurslotse.exe   the 64-bit program
#   kurslotse-2007/SHA256SUMS            a SHA-256 sum of each program
#   kurslotse-2007/LIESMICH.txt          for Windows users, German and English:
#                                        which program to start, where the
#                                        units are kept, how to check the sums
#                                        (docs/LIESMICH.txt in Windows-1252
#                                        with CR LF, as Notepad reads it)
#   kurslotse-2007/README.md, docs/      the README and its pictures
# and writes build/release/SHA256SUMS: the sums of both programs and of the
# zip itself (`cd build/release && sha256sum -c SHA256SUMS` checks them).
#
# Every clean build of the same sources gives the same bytes (no link time,
# no build path in the programs), and so does the zip (sorted entries, one
# fixed time, no extra fields: scripts/zip_release.py). `release.sh --check`
# shows it: it builds each program once more in a fresh tree elsewhere,
# compares the programs, packs a zip of each pair (the second from files of
# other times) and compares the zips.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
presets=(windows windows64)
for preset in "${presets[@]}"; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset --target kurslotse >/dev/null
done

# pack <32-bit exe> <64-bit exe> <out dir>: the release folder and its zip
# in <out dir>; prints the zip's path.
pack() {
  local out=$3 stage=$3/kurslotse-2007
  rm -rf "$stage" "$out/kurslotse-2007.zip"
  mkdir -p "$stage/win32" "$stage/win64" "$stage/docs"
  cp "$1" "$stage/win32/kurslotse.exe"
  cp "$2" "$stage/win64/kurslotse.exe"
  cp README.md "$stage/"
  cp docs/*.png "$stage/docs/"
  iconv -f UTF-8 -t WINDOWS-1252 docs/LIESMICH.txt | sed 's/$/\r/' >"$stage/LIESMICH.txt"
  (cd "$stage" && sha256sum win32/kurslotse.exe win64/kurslotse.exe >SHA256SUMS)
  python3 scripts/zip_release.py "$stage" "$out/kurslotse-2007.zip"
  echo "$out/kurslotse-2007.zip"
}

if [ "${1:-}" = --check ]; then
  status=0
  fresh=$(mktemp -d)
  trap 'rm -rf "$fresh"' EXIT
  for preset in "${presets[@]}"; do
    cmake --preset $preset -B "$fresh/$preset" -DKL_TESTS=OFF >/dev/null
    cmake --build "$fresh/$preset" --target kurslotse >/dev/null
    if cmp -s "build/$preset/shell/kurslotse.exe" "$fresh/$preset/shell/kurslotse.exe"; then
      echo "ok: $preset: two clean builds give the same program ($(sha256sum <"$fresh/$preset/shell/kurslotse.exe" | cut -c1-16)...)"
    else
      echo "FAIL: $preset: build/$preset and a fresh tree give different programs:"
      cmp -l "build/$preset/shell/kurslotse.exe" "$fresh/$preset/shell/kurslotse.exe" | head -5 || true
      status=1
    fi
  done
  first=$(pack build/windows/shell/kurslotse.exe build/windows64/shell/kurslotse.exe "$fresh/zip1")
  # The Windows users' text: every line ended by CR LF, the umlauts as
  # Windows-1252 bytes, and the program named as the zip holds it.
  if python3 - "$first" <<'CHECK'; then
import sys, zipfile
text = zipfile.ZipFile(sys.argv[1]).read("kurslotse-2007/LIESMICH.txt")
lines = text.split(b"\r\n")
ok = lines[-1] == b"" and all(b"\n" not in l and b"\r" not in l for l in lines)
ok = ok and b"d\xfcrfen" in text and b"win64\\kurslotse.exe" in text
sys.exit(0 if ok else 1)
CHECK
    echo "ok: LIESMICH.txt is in the zip, in Windows-1252 with CR LF"
  else
    echo "FAIL: LIESMICH.txt is missing from the zip or not in Windows-1252 with CR LF"
    status=1
  fi
  second=$(pack "$fresh/windows/shell/kurslotse.exe" "$fresh/windows64/shell/kurslotse.exe" "$fresh/zip2")
  # Files of other times and permissions must give the same zip.
  find "$fresh/zip2/kurslotse-2007" -type f -exec touch -d '2001-02-03 04:05:06' {} + -exec chmod 600 {} +
  python3 scripts/zip_release.py "$fresh/zip2/kurslotse-2007" "$second"
  if cmp -s "$first" "$second"; then
    echo "ok: the zips of the two builds are the same ($(sha256sum <"$first" | cut -c1-16)...)"
  else
    echo "FAIL: the zips of the two builds differ:"
    cmp -l "$first" "$second" | head -5 || true
    status=1
  fi
  exit $status
fi

out=$root/build/release
zip=$(pack build/windows/shell/kurslotse.exe build/windows64/shell/kurslotse.exe "$out")
(cd "$out" && sha256sum kurslotse-2007/win32/kurslotse.exe kurslotse-2007/win64/kurslotse.exe kurslotse-2007.zip \
  >SHA256SUMS && cat SHA256SUMS)
echo "release: $zip"
