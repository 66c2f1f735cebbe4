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

# Starts a virtual X display for the tests and exports DISPLAY; the caller
# stops it with kl_stop_xvfb.
kl_start_xvfb() {
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
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
