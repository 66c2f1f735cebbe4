#!/usr/bin/env bash
# Installs what building and testing need, and nothing that is already there.
# Safe to run again: quiet when everything is present.
set -euo pipefail

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

# package -> a file it installs (cheap presence check without dpkg-query per run)
pkgs=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32:i386 xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
  tesseract-ocr tesseract-ocr-eng
)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "$need_i386" = 0 ] && [ "${#missing[@]}" = 0 ]; then
  exit 0
fi

SUDO=
[ "$(id -u)" = 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
echo "setup: installing ${missing[*]}" >&2
if [ "$need_i386" = 1 ]; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "setup: done" >&2
