# Sourced by the scripts: the Wine environment of a Windows build tree, in one
# place. Each build tree (build/windows for 32-bit, build/windows64 for
# 64-bit) has Wine prefixes of its own, never the user's: wineprefix for the
# tests, wineprefix-dpiN for the tests at N pixels per inch, wineprefix-run
# for the run command. CMake writes the tree's Wine architecture (win32 or
# win64) into its file wine-arch.
KL_ROOT=${KL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The loaders themselves: Debian's /usr/bin/wine takes the 32-bit one
# whenever it is installed, even for a 64-bit prefix or where it cannot run.
KL_WINE32=/usr/lib/wine/wine
KL_WINE64=/usr/lib/wine/wine64

# Whether this machine executes 32-bit x86 code: some Linux kernels have
# that switched off, and then every i386 program, 32-bit Wine included,
# fails with "Exec format error". Found out by running a tiny static i386
# program, once per shell. KL_NO_32BIT=1 makes the answer "no", to try the
# 64-bit-only path on a machine that could run both.
kl_runs_32bit() {
  if [ -z "${KL_RUNS_32BIT:-}" ]; then
    KL_RUNS_32BIT=no
    if [ "${KL_NO_32BIT:-0}" != 1 ]; then
      local d
      d=$(mktemp -d)
      printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$d/t.s"
      if as --32 "$d/t.s" -o "$d/t.o" 2>/dev/null && ld -m elf_i386 "$d/t.o" -o "$d/t" 2>/dev/null &&
        "$d/t" 2>/dev/null; then
        KL_RUNS_32BIT=yes
      fi
      rm -rf "$d"
    fi
    export KL_RUNS_32BIT
  fi
  [ "$KL_RUNS_32BIT" = yes ]
}

# The Windows build to run here: the 32-bit one where this machine executes
# 32-bit code, else the 64-bit one; KL_WINDOWS_ARCH=32 or 64 chooses.
# Prints its preset (windows or windows64); fails when the choice cannot run.
kl_windows_preset() {
  local bits=${KL_WINDOWS_ARCH:-}
  if [ -z "$bits" ]; then
    if kl_runs_32bit; then bits=32; else bits=64; fi
  fi
  case $bits in
  32)
    kl_runs_32bit || {
      echo "This machine cannot execute 32-bit code, so the 32-bit program cannot run here (KL_WINDOWS_ARCH=64 runs the 64-bit one)." >&2
      return 1
    }
    echo windows ;;
  64) echo windows64 ;;
  *) echo "KL_WINDOWS_ARCH is 32 or 64, not '$bits'" >&2; return 1 ;;
  esac
}

# kl_wine_use <build dir> [prefix dir]: Wine for the program of that build
# tree: its architecture, the matching loader, and the tree's test prefix
# unless another is given.
kl_wine_use() {
  local build=$1 arch
  arch=$(cat "$build/wine-arch" 2>/dev/null) || {
    echo "$build is not a configured Windows build tree (no wine-arch in it)" >&2
    return 1
  }
  export KL_WINDOWS_BUILD=$build
  export WINEARCH=$arch
  export WINEPREFIX=${2:-$build/wineprefix}
  if [ "$arch" = win64 ]; then export WINELOADER=$KL_WINE64; else export WINELOADER=$KL_WINE32; fi
}

# Wine in these scripts is always the loader of the build in use.
wine() { "$WINELOADER" "$@"; }

# kl_wine_run <program> [args...]: runs a Windows program and returns as soon
# as it ends. The first program that opens a window starts Wine's desktop
# process, which inherits its output and lives while other programs show
# windows; a test runner reading that output to its end would wait for the
# desktop process too (about 45 s in a test run). So output that goes into
# a pipe is passed on through a file once the program has ended; output to a
# file (a log read while the program runs) goes there directly.
kl_wine_run() {
  local out=/dev/stdout err=/dev/stderr rc
  if [ -p /dev/stdout ]; then out=$(mktemp) || return 1; fi
  if [ -p /dev/stderr ]; then err=$(mktemp) || return 1; fi
  wine "$@" >>"$out" 2>>"$err"
  rc=$?
  if [ "$out" != /dev/stdout ]; then cat "$out"; rm -f "$out"; fi
  if [ "$err" != /dev/stderr ]; then cat "$err" >&2; rm -f "$err"; fi
  return $rc
}

# kl_wine_prefix [test]: creates the prefix in use once (about ten seconds),
# and fails when Wine cannot start. A test prefix lets Wine manage its own
# windows, as Windows does: with no window manager on the virtual display,
# Wine would otherwise wait two seconds for one at every window that closes.
kl_wine_prefix() {
  # A prefix whose making was cut off is made again: only a finished one
  # carries the mark.
  # Each step may fail (no Wine server to end, a wineboot that gives up):
  # whether it worked is checked once at the end, also in callers that stop
  # at the first failing command.
  if [ ! -f "$WINEPREFIX/.kl-made" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
    if [ ! -f "$WINEPREFIX/system.reg" ] || ! wine cmd /c exit >/dev/null 2>&1; then
      echo "Wine ($WINELOADER, $WINEARCH) could not create its prefix $WINEPREFIX" >&2
      return 1
    fi
    touch "$WINEPREFIX/.kl-made"
  fi
  if [ "${1:-}" = test ]; then kl_wine_own_windows || return 1; fi
}

# Lets Wine manage the windows of the prefix in use, unless it does already
# (a prefix that Wine made on its own, for a program run by hand, does not).
kl_wine_own_windows() {
  grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
  wineserver -w
}

# kl_wine_copy_prefix <from> : makes the prefix in use as a copy of another
# (much faster than creating it), unless it exists.
kl_wine_copy_prefix() {
  [ -f "$WINEPREFIX/.kl-made" ] && return 0
  [ -f "$1/.kl-made" ] || { echo "no prefix to copy at $1" >&2; return 1; }
  rm -rf "$WINEPREFIX"
  cp -a "$1" "$WINEPREFIX"
}

# Sets the screen's pixels per inch that Wine gives the programs of this
# prefix (96 is Windows' own default), when it is not that already. Wine
# reads it from LogPixels under HKCU\Control Panel\Desktop.
kl_wine_dpi() {
  local key='HKCU\Control Panel\Desktop' have
  have=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }' || true)
  [ "$have" = "$(printf '0x%x' "$1")" ] && return 0
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || return 1
  wineserver -w
}

# Keeps the prefix's Wine server and background processes running until
# kl_wine_stop, so that the programs of a test run do not each start them
# anew (Debian's wineserver ends as soon as its last program does). Their
# output goes nowhere: a test runner would otherwise wait on the pipes they
# inherit.
kl_wine_keep() {
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

kl_wine_stop() { wineserver -k >/dev/null 2>&1 || true; }

# Starts a virtual X display for the tests and exports DISPLAY; the caller
# stops it with kl_stop_xvfb. The screen is 1024x768 unless given (WxH).
kl_start_xvfb() {
  local n size=${1:-1024x768}
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    KL_XVFB_PID=$!
    local i
    # Two scripts may try the same number at once: the display is ours when
    # its lock file holds our server's process id.
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$KL_XVFB_PID" ] &&
        { export DISPLAY=":$n"; return 0; }
      kill -0 "$KL_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$KL_XVFB_PID" 2>/dev/null
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Ends the prefix's Wine programs (they draw on this display) and the display.
kl_stop_xvfb() {
  kl_wine_stop
  [ -n "${KL_XVFB_PID:-}" ] && kill "$KL_XVFB_PID" 2>/dev/null || true
  KL_XVFB_PID=
}
