# Sourced by the scripts: Wine with its own prefix inside the build tree
# (never the user's own), no Mono/Gecko prompts, no menu entries.
KL_ROOT=${KL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# KL_WINDOWS_BUILD names another Windows build tree (each with its own prefix).
export WINEPREFIX="${KL_WINDOWS_BUILD:-$KL_ROOT/build/windows}/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Creates the prefix once; takes about ten seconds the first time.
kl_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
}

# Sets the screen's pixels per inch that Wine gives the programs of this
# prefix (96 is Windows' own default), when it is not that already. Wine
# reads it from LogPixels under HKCU\Control Panel\Desktop.
kl_wine_dpi() {
  local key='HKCU\Control Panel\Desktop' have
  have=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
  [ "$have" = "$(printf '0x%x' "$1")" ] && return 0
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

# Starts a virtual X display for the tests and exports DISPLAY; the caller
# stops it with kl_stop_xvfb. The screen is 1024x768 unless given (WxH).
kl_start_xvfb() {
  local n size=${1:-1024x768}
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    KL_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$KL_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

kl_stop_xvfb() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${KL_XVFB_PID:-}" ] && kill "$KL_XVFB_PID" 2>/dev/null || true
  KL_XVFB_PID=
}
