#!/usr/bin/env bash
# The copied flight on the Linux desktop's clipboard: the e2e driver copies
# the worked flight with "Flug kopieren" and keeps the program running while
# xclip reads the X clipboard here; once as the tests run, once with German
# regional settings, where the number cells take a decimal comma.
# Usage: clipboard_check.sh <e2e_driver.exe> <kurslotse.exe>   (Wine
# environment and DISPLAY as for the other Windows tests)
set -uo pipefail
here=$(dirname "$0")
. "$here/../../scripts/wine-env.sh"
. "$here/../support/expect.sh"
kl_wine_use "${KL_WINDOWS_BUILD:?the Windows build tree}" || exit 1
export KL_KURSLOTSE_EXE=$2
sync=$(mktemp -d)
trap 'rm -rf "$sync"' EXIT
export KL_CLIP_SYNC=$sync
failed=0

# copied <name> [LC_ALL]: the flight copied with those regional settings, as
# the Linux clipboard holds it.
copied() {
  local name=$1 driver
  rm -f "$sync/copied" "$sync/read"
  ( if [ -n "${2:-}" ]; then { export LC_ALL=$2; } 2>/dev/null; fi
    kl_wine_run "$driver_exe" --gtest_filter='LinuxClipboard.*' ) &
  driver=$!
  for n in $(seq 600); do
    [ -e "$sync/copied" ] && break
    kill -0 "$driver" 2>/dev/null || break
    sleep 0.1
  done
  text=$(xclip -o -selection clipboard -target UTF8_STRING 2>&1 | tr -d '\r')
  touch "$sync/read"
  wait "$driver" || { echo "FAIL: $name: the driver failed"; failed=1; }
}

# check <name> <decimal separator>
check() {
  local d=$2
  echo "--- the Linux clipboard ($1):"; echo "$text"
  expected=$(printf '%s\n' \
    $'Flugnavigation von Egelsbach nach Mainz\t\t' \
    $'1. Startort\tEgelsbach\t' $'2. Zielort\tMainz\t' \
    $'3. Fluggeschwindigkeit (TAS)\t110\t[km/h]' $'4. Windgeschwindigkeit (WS)\t20\t[km/h]' \
    $'5. Windwinkel (WD)\t230\t[°]' $'6. Bodenkurs (TC)\t85\t[°]' \
    $'7. Ortsmissweisung (VAR)\t3W\t[°]' $'8. Kompassablenkung (DEV)\t2\t[°]' \
    $'9. Distanz (s)\t69\t[km]' $'10. Verbrauch pro Zeit\t12\t[l/h]' \
    $'Windvektor\t50\t[°]' $'Bodenkurs\t85\t[°]' $'Flugkurs (TH)\t91\t[°]' \
    $'Windkorrekturwinkel (WCA)\t6\t[°]' $'Kompasskurs (CH)\t92\t[°]' \
    $'Flugzeit (t)\t0:33\t[h:min]' "Verbrauch"$'\t'"6${d}6"$'\t[l]' \
    $'Grundgeschwindigkeit (GS)\t126\t[km/h]')
  if [ "$text" = "$expected" ]; then
    echo "ok:   $1: the worked flight, line by line, the degree signs as UTF-8, fuel 6${d}6"
  else
    echo "FAIL: $1: the Linux clipboard differs from the copied flight:"
    diff <(echo "$expected") <(echo "$text")
    failed=1
  fi
}

driver_exe=$1
copied default
check "as the tests run" .
# Wine here takes the German settings from LC_ALL (LANG=de_DE.UTF-8 alone
# leaves the point: the system has no German locale of its own).
copied german de_DE.UTF-8
check "German regional settings" ,
exit $failed
