#!/usr/bin/env bash
# Installs what building and testing need, and nothing that is already there.
# Safe to run again: quiet when everything is present.
#
# Both Windows toolchains (32- and 64-bit mingw-w64) and the 64-bit Wine are
# always installed; the 32-bit Wine (with Debian's i386 architecture) only
# where this machine can execute 32-bit x86 code, which is found out by
# running a tiny 32-bit program (scripts/wine-env.sh, kl_runs_32bit).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

SUDO=
[ "$(id -u)" = 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
updated=0
install() { # install <package...>: those of them that are missing
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ "${#missing[@]}" = 0 ] && return 0
  echo "setup: installing ${missing[*]}" >&2
  if [ "$updated" = 0 ]; then
    $SUDO apt-get update -qq >/dev/null
    updated=1
  fi
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  echo "setup: done" >&2
}

# The assembler and linker of the 32-bit check come first.
install binutils

pkgs=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
  tesseract-ocr tesseract-ocr-eng python3 desktop-file-utils
  cups ghostscript xclip
)
if kl_runs_32bit; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    updated=0
  fi
  # The 32-bit Wine prints through the 32-bit CUPS library.
  pkgs+=(wine32:i386 libcups2:i386)
fi
install "${pkgs[@]}"

# Some Wine must start here, or nothing can be run or tested.
if ! "$KL_WINE64" --version >/dev/null 2>&1 && ! { kl_runs_32bit && "$KL_WINE32" --version >/dev/null 2>&1; }; then
  echo "setup: no Wine can start on this machine: $KL_WINE64 (package wine64) does not run$(kl_runs_32bit ||
    echo ', and 32-bit programs cannot run here at all')." >&2
  exit 1
fi
