#!/usr/bin/env bash
# Reads the painted text of the real window back with tesseract: the menu
# bar, the prompt at start and the results of a whole flight. The e2e driver
# types the flight and saves the pictures; this script reads them.
# Usage: ocr_check.sh <e2e_driver.exe> <kurslotse.exe>   (Wine environment and
# DISPLAY as for the other Windows tests)
set -uo pipefail
. "$(dirname "$0")/../../scripts/wine-env.sh"
. "$(dirname "$0")/../support/expect.sh"
kl_wine_use "${KL_WINDOWS_BUILD:?the Windows build tree}" || exit 1
driver=$1
export KL_KURSLOTSE_EXE=$2
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
export KL_E2E_SHOTS=$shots

kl_wine_run "$driver" --gtest_filter='*FullFlight*:*TypedInFull*' || { echo "driver failed"; exit 1; }

# The text is about 11 pixels high: enlarged five times it reads reliably.
ocr() { # ocr <bmp> -> text on stdout
  /usr/bin/convert "$1" -colorspace Gray -filter Lanczos -resize 500% "$1.png" &&
    read_text "$1.png" --psm 6
}

for f in menubar start flight west; do
  [ -s "$shots/$f.bmp" ] || { echo "FAIL: no $f.bmp from the driver"; exit 1; }
done

menu=$(ocr "$shots/menubar.bmp")
echo "--- menu bar:"; echo "$menu"
expect "menu Datei" "$menu" 'Datei'
expect "menu ?" "$menu" 'Datei +\?'

start=$(ocr "$shots/start.bmp")
echo "--- at start:"; echo "$start"
# Four hash signs; tesseract sometimes reads the last ones as F, H or E.
expect "prompt for the airspeed" "$start" 'Flugkurs \(TH\) *: *#[#FHE]{2,4} *\(3\. *Fluggeschwindigkeit'
expect "prompt ends" "$start" 'eingeben\)'
expect "no value in the wind row" "$start" '^[^0-9]*Windvektor[^0-9]*$'

flight=$(ocr "$shots/flight.bmp")
echo "--- after the flight:"; echo "$flight"
expect "wind vector 50" "$flight" 'Windvektor *: *50 *\['
expect "course 85" "$flight" 'Bodenkurs *: *85 *\['
expect "heading 91" "$flight" 'Flugkurs \(TH\) *: *91 *\['
expect "correction 6" "$flight" '\(WCA\) *: *6 *\['
expect "compass heading 92" "$flight" 'Kompasskurs \(C.\) *: *92 *\['
expect "time 0:33" "$flight" 'Flugzeit \(t\) *:? *0:33 *\[h:min\]'
expect "fuel 6.6 l" "$flight" 'Verbrauch *: *6\.6 *\[.\]'
expect "no prompt left" "$flight" '^[^#]*$'

# Typed wider than their edits: "11.5W" and "156.45" are used whole.
west=$(ocr "$shots/west.bmp")
echo "--- with a west variation of 11.5 and 156.45 km:"; echo "$west"
expect "compass heading 100" "$west" 'Kompasskurs \(C.\) *: *100 *\['
expect "time 1:15" "$west" 'Flugzeit \(t\) *:? *1:15 *\[h:min\]'
expect "fuel 14.9 l" "$west" 'Verbrauch *: *14\.9 *\[.\]'
exit $failed
