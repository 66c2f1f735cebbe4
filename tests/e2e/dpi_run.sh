#!/usr/bin/env bash
# The program at another screen resolution: each DPI gets a Wine prefix of
# its own (made once, when missing, as a copy of the tests' prefix of the
# build tree KL_WINDOWS_BUILD) and a virtual screen of the same physical
# size as the tests' 1024x768 one at 96 DPI. The prefix's Wine server and
# screen serve all its tests, from "prefix" to "stop" (its file .kl-screen
# names them); a run without them starts its own.
# Usage: dpi_run.sh prefix <prefix dir> <dpi>     makes the prefix, sets its DPI,
#                                                 starts its screen and server
#        dpi_run.sh run <prefix dir> <dpi> <program.exe> [args...]
#                                                 runs a test program there
#        dpi_run.sh stop <prefix dir> <dpi>       ends its server and screen
set -uo pipefail
mode=$1 prefix=$2 dpi=$3
shift 3
. "$(dirname "$0")/../../scripts/wine-env.sh"
kl_wine_use "${KL_WINDOWS_BUILD:?the Windows build tree}" "$prefix" || exit 1
export KL_EXPECT_DPI=$dpi # the test programs check that Wine really gives it
screen=$prefix/.kl-screen # "<display> <Xvfb pid>"
size="$((1024 * dpi / 96))x$((768 * dpi / 96))"

stop() {
  local display pid
  kl_wine_stop
  if read -r display pid <"$screen" 2>/dev/null; then
    kill "$pid" 2>/dev/null
  fi
  rm -f "$screen"
}

case $mode in
prefix)
  stop
  if [ -f "$KL_WINDOWS_BUILD/wineprefix/.kl-made" ]; then
    kl_wine_copy_prefix "$KL_WINDOWS_BUILD/wineprefix" || exit 1
  else
    kl_wine_prefix test || exit 1
  fi
  kl_wine_own_windows || { echo "Wine could not start in $prefix" >&2; exit 1; }
  kl_wine_dpi "$dpi" || { echo "Wine could not set $dpi DPI in $prefix" >&2; exit 1; }
  kl_start_xvfb "$size" || exit 1
  echo "$DISPLAY $KL_XVFB_PID" >"$screen"
  kl_wine_keep
  ;;
run)
  own=no
  if read -r DISPLAY _ <"$screen" 2>/dev/null; then
    export DISPLAY
  else
    kl_start_xvfb "$size" || exit 1
    own=yes
  fi
  kl_wine_run "$@"
  code=$?
  [ $own = yes ] && kl_stop_xvfb
  exit $code
  ;;
stop) stop ;;
*)
  echo "usage: dpi_run.sh prefix|run|stop <prefix dir> <dpi> [program args...]" >&2
  exit 2
  ;;
esac
