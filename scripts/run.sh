#!/usr/bin/env bash
# The one command that starts Kurslotse 2007: installs what is missing,
# builds the Windows program and runs it under Wine in the current directory
# (where it keeps flugstat.txt). Without a display it runs the program on a
# virtual one, saves a screenshot, ends it through "Datei" -> "Beenden" and
# prints the screenshot's path and the exit code.
#
# On a display the program gets the desktop's pixels per inch (the X
# resource Xft.dpi, else the X screen's resolution, else 96), so its text
# has the size of the desktop's; KL_DPI=144 (for example) overrides it.
# Without a display it runs at 96 unless KL_DPI says otherwise.
#
# It runs the 32-bit program where this machine can execute 32-bit code, else
# the 64-bit one; KL_WINDOWS_ARCH=64 (or 32) chooses. Both keep their unit
# choices in the same flugstat.txt.
set -euo pipefail
workdir=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
. scripts/wine-env.sh
preset=$(kl_windows_preset) || exit 1
build=${KL_WINDOWS_BUILD:-$root/build/$preset}
cmake --preset $preset -B "$build" >/dev/null
cmake --build "$build" --target kurslotse >/dev/null
exe=$build/shell/kurslotse.exe
# Its own prefix: the tests' prefixes are set up for a display without a
# window manager.
kl_wine_use "$build" "$build/wineprefix-run"
if [ $preset = windows ]; then
  echo "Running the 32-bit program ($exe)."
else
  echo "Running the 64-bit program ($exe)$(kl_runs_32bit || echo ': this machine cannot execute 32-bit code')."
fi

# The desktop's pixels per inch, a whole number; 96 when it cannot be read.
desktop_dpi() {
  local dpi
  dpi=$(xrdb -query 2>/dev/null | awk -F':[ \t]*' '$1 == "Xft.dpi" && $2 + 0 > 0 { printf "%d\n", $2 + 0.5; exit }')
  [ -n "$dpi" ] || dpi=$(xdpyinfo 2>/dev/null | awk '$1 == "resolution:" { split($2, r, "x"); print r[2]; exit }')
  [[ "$dpi" =~ ^[0-9]+$ ]] && [ "$dpi" -gt 0 ] && echo "$dpi" || echo 96
}

if [ -n "${DISPLAY:-}" ]; then
  kl_wine_prefix || exit 1
  kl_wine_dpi "${KL_DPI:-$(desktop_dpi)}"
  cd "$workdir"
  set +e
  wine "$exe"
  code=$?
  echo "exit code: $code"
  exit $code
fi

echo "No display (DISPLAY is empty): running on a virtual display and saving a screenshot."
kl_start_xvfb
trap kl_stop_xvfb EXIT
kl_wine_prefix || exit 1
kl_wine_dpi "${KL_DPI:-96}"
cd "$workdir"
wine "$exe" &
pid=$!

# Polls a command for up to $1 tenths of a second.
poll() { local n=$1; shift; while ! "$@"; do n=$((n - 1)); [ $n -gt 0 ] || return 1; sleep 0.1; done; }
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true; }
main_shown() { wid=$(window "Kurslotse 2007"); [ -n "$wid" ]; }
# The form panel is painted yellow: its first pixels mark the first paint.
painted() {
  local c
  c=$(import -silent -window "$wid" -crop 1x1+6+120 -depth 8 txt:- 2>/dev/null | tail -1)
  grep -qiE '#FFFF00|yellow' <<<"$c"
}
poll 600 main_shown || { echo "the program did not open its window" >&2; kill $pid; exit 1; }
poll 300 painted || { echo "the window was not painted" >&2; kill $pid; exit 1; }

# On odd days the version reminder comes up first; OK closes it.
sleep 0.5
reminder=$(window "Versions-Info")
if [ -n "$reminder" ]; then
  xdotool windowfocus --sync "$reminder" key Return
  poll 100 test -z "$(window 'Versions-Info')" || true
fi

shot=$workdir/kurslotse-screenshot.png
import -silent -window "$wid" "$shot"
echo "screenshot: $shot"

# "Datei" -> "Beenden" by keyboard: F10 opens the menu bar, Enter the first
# popup, B its item "Beenden".
xdotool windowfocus --sync "$wid" key F10 Return b
set +e
wait $pid
code=$?
echo "exit code: $code"
exit $code
