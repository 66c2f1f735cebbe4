#!/usr/bin/env bash
# The printed page on a real print path: a print service of the test's own
# (tests/support/print_service.sh) gives Wine a PostScript printer; the test
# program prints the pages into files through Wine's printer driver,
# Ghostscript turns them into pixels, the test program checks the pixels and
# tesseract reads the text back.
# The real program's print dialog is worked by the e2e driver: Cancel prints
# nothing, Enter prints through the service into a file whose page is read
# back too, and with the printer refusing jobs the failure is one message box.
# Usage: print_check.sh <test_print_page.exe> <e2e_driver.exe> <kurslotse.exe>
# (Wine environment and display as for the other Windows tests;
# KL_PRINT_KEEP=<dir> keeps the pages there)
set -uo pipefail
here=$(dirname "$0")
. "$here/../../scripts/wine-env.sh"
. "$here/../support/print_service.sh"
. "$here/../support/expect.sh"
kl_wine_use "${KL_WINDOWS_BUILD:?the Windows build tree}" || exit 1
program=$1 driver=$2
export KL_KURSLOTSE_EXE=$3
work=$(mktemp -d)
chmod 0755 "$work" # the print service's filters run as another user
trap 'kl_print_stop; rm -rf "$work"' EXIT
kl_print_start "$work/service" || exit 1
export KL_PRINT_DIR=$work/pages
mkdir -p "$KL_PRINT_DIR"

kl_wine_run "$program" --gtest_filter='PrintPage.*' || { echo "FAIL: printing"; exit 1; }

pages="a4 a5 letter no_airspeed longest"
render() { # render <page> <dpi> <device> <file>
  gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE="$3" -r"$2" -sOutputFile="$4" "$KL_PRINT_DIR/$1.ps"
}
for p in $pages; do
  render "$p" 100 ppmraw "$KL_PRINT_DIR/$p.ppm" || { echo "FAIL: Ghostscript could not read $p.ps"; exit 1; }
  render "$p" 300 pnggray "$KL_PRINT_DIR/$p-300.png" || exit 1
  render "$p" 300 pgmraw "$KL_PRINT_DIR/$p-300.pgm" || exit 1
done
kl_wine_run "$program" --gtest_filter='PrintedPage.*' || failed=1

# Tesseract reads a 0 as O at times, and a lower-case l as I.
for p in a4 a5 letter; do
  text=$(read_text "$KL_PRINT_DIR/$p-300.png" --psm 6)
  echo "--- the worked flight on $p:"; echo "$text"
  expect "$p: title with the route" "$text" 'Flugnavigation'
  expect "$p: von Egelsbach" "$text" 'von +Egelsbach'
  expect "$p: nach Mainz" "$text" 'nach +Mainz'
  expect "$p: day of printing, program" "$text" 'Gedruckt am [0-3][0-9]\.[01][0-9]\.20[0-9]{2} mit Kurslotse 2007'
  expect "$p: captions of the numbers flown by" "$text" 'CH.*\[.\] +TH.*\[.\] +t.*\[h:min\] +Verbrauch.*\[.\] +GS.*\[km/h\]'
  expect "$p: CH 92, TH 91, 0:33, 6.6 l, GS 126" "$text" '^92 +91 +0:33 +6\.6 +126$'
  expect "$p: legend, wind vector 50" "$text" 'Windvektor: *5[0O] *\['
  expect "$p: legend, course 85" "$text" 'Bodenkurs: *85 *\['
  expect "$p: legend, heading 91" "$text" 'Flugkurs \(TH\): *91 *\['
  expect "$p: legend, correction 6" "$text" '\(WCA\): *6 *\['
  expect "$p: airspeed input" "$text" 'Fluggeschwindigkeit \(TAS\) +110 \[km/h\]'
  expect "$p: variation input" "$text" 'Ortsmissweisung \(VAR\) +3W \[.\]'
  expect "$p: fuel flow input" "$text" 'Verbrauch pro Zeit +12 \[l/h\]'
done
text=$(read_text "$KL_PRINT_DIR/no_airspeed-300.png" --psm 6)
echo "--- without the airspeed:"; echo "$text"
expect "prompt for the airspeed" "$text" 'Flugkurs \(TH\) *: *#[#FHE]{2,4} *\(3\. *Fluggeschwindigkeit'
expect "no heading value" "$text" '^[^0-9]*Flugkurs \(TH\) *: *#'

# Text size on A5: words without descenders ("Windvektor", "Bodenkurs") are
# as high as a capital letter with its ascenders, about 0.7 of the font size;
# at 300 pixels per inch 9 points make 37.5 pixels, 0.7 of that 26. The
# numbers flown by stand out: one and a half times as high at least.
tsv=$(read_text "$KL_PRINT_DIR/a5-300.png" --psm 4 tsv)
height=$(awk -F'\t' '$12 ~ /^(Windvektor|Bodenkurs):?$/ { print $10; exit }' <<<"$tsv")
if [ -n "$height" ] && [ "$height" -ge 26 ]; then
  echo "ok:   A5 text $height pixels high at 300 DPI (9 points: 26 or more)"
else
  echo "FAIL: A5 text ${height:-not found} pixels high at 300 DPI, 9 points need 26"
  failed=1
fi
large=$(awk -F'\t' '$12 == "92" || $12 == "91" { print $10; exit }' <<<"$tsv")
if [ -n "$large" ] && [ -n "$height" ] && [ $((2 * large)) -ge $((3 * height)) ]; then
  echo "ok:   A5 numbers flown by $large pixels high, the text $height"
else
  echo "FAIL: A5 numbers flown by ${large:-not found} pixels high, the text ${height:-not found}"
  failed=1
fi
# The print dialog of the program, and its page as the printer got it.
kl_wine_run "$driver" --gtest_filter='PrintDialog.*' || failed=1
if [ -s "$KL_PRINT_SPOOLED" ]; then
  cp "$KL_PRINT_SPOOLED" "$KL_PRINT_DIR/spooled.ps"
  render spooled 300 pnggray "$KL_PRINT_DIR/spooled-300.png"
  text=$(read_text "$KL_PRINT_DIR/spooled-300.png" --psm 6)
  echo "--- printed through the service:"; echo "$text"
  expect "printed: CH 92, TH 91, 0:33, 6.6 l, GS 126" "$text" '^92 +91 +0:33 +6\.6 +126$'
fi
cupsreject KLFILE && kl_wine_run "$driver" --gtest_filter='FailingPrinter.*' || failed=1

[ -n "${KL_PRINT_KEEP:-}" ] && mkdir -p "$KL_PRINT_KEEP" && cp -r "$KL_PRINT_DIR"/* "$work/service/log" "$KL_PRINT_KEEP"/
exit $failed
