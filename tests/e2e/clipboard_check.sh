#!/usr/bin/env bash
# The copied flight on the Linux desktop's clipboard: the e2e driver copies
# the worked flight with "Flug kopieren" and keeps the program running while
# xclip reads the X clipboard here.
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

kl_wine_run "$1" --gtest_filter='LinuxClipboard.*' &
driver=$!
for n in $(seq 600); do
  [ -e "$sync/copied" ] && break
  kill -0 "$driver" 2>/dev/null || break
  sleep 0.1
done
text=$(xclip -o -selection clipboard -target UTF8_STRING 2>&1 | tr -d '\r')
touch "$sync/read"
wait "$driver" || failed=1

echo "--- the Linux clipboard:"; echo "$text"
expected=$(printf '%s\n' \
  'Flugnavigation von Egelsbach nach Mainz' \
  $'1. Startort\tEgelsbach' $'2. Zielort\tMainz' \
  $'3. Fluggeschwindigkeit (TAS)\t110 [km/h]' $'4. Windgeschwindigkeit (WS)\t20 [km/h]' \
  $'5. Windwinkel (WD)\t230 [°]' $'6. Bodenkurs (TC)\t85 [°]' \
  $'7. Ortsmissweisung (VAR)\t3W [°]' $'8. Kompassablenkung (DEV)\t2 [°]' \
  $'9. Distanz (s)\t69 [km]' $'10. Verbrauch pro Zeit\t12 [l/h]' \
  $'Windvektor\t50 [°]' $'Bodenkurs\t85 [°]' $'Flugkurs (TH)\t91 [°]' \
  $'Windkorrekturwinkel (WCA)\t6 [°]' $'Kompasskurs (CH)\t92 [°]' \
  $'Flugzeit (t)\t0:33 [h:min]' $'Verbrauch\t6.6 [l]')
if [ "$text" = "$expected" ]; then
  echo "ok:   the worked flight, line by line, the degree signs as UTF-8"
else
  echo "FAIL: the Linux clipboard differs from the copied flight:"
  diff <(echo "$expected") <(echo "$text")
  failed=1
fi
exit $failed
