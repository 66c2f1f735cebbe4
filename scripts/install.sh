#!/usr/bin/env bash
# Installs Kurslotse 2007 for the current user, so that it starts from the
# desktop's menu like any other program and keeps working when this checkout
# is moved or deleted:
#   $XDG_DATA_HOME/kurslotse-2007/      (default ~/.local/share/kurslotse-2007)
#     kurslotse.exe     a copy of the built program
#     kurslotse.png     its icon
#     kurslotse-start   the launcher: Wine with a prefix of its own, the
#                       desktop's DPI, the program's folder as working folder
#     flugstat.txt      the unit choices, written by the program at exit
#     wineprefix/       made at the first start
#   $XDG_DATA_HOME/applications/kurslotse-2007.desktop   the desktop entry
#
#   bash scripts/install.sh            builds the program this machine runs
#                                      (KL_WINDOWS_ARCH=32 or 64 chooses) and
#                                      installs it, replacing an older install
#   bash scripts/install.sh --remove   removes all of it but flugstat.txt
#
# KL_INSTALL_PROGRAM=<kurslotse.exe> installs that program instead of
# building one (the tests install the program they have just built).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
# A relative XDG_DATA_HOME is not valid and is ignored.
case $data in /*) ;; *) data=$HOME/.local/share ;; esac
dir=$data/kurslotse-2007
entry=$data/applications/kurslotse-2007.desktop

if [ "${1:-}" = --remove ]; then
  if [ -f "$dir/kurslotse-start" ]; then
    WINEPREFIX=$dir/wineprefix wineserver -k >/dev/null 2>&1 || true
  fi
  rm -f "$entry"
  rm -rf "$dir/wineprefix"
  rm -f "$dir/kurslotse.exe" "$dir/kurslotse.png" "$dir/kurslotse-start" "$dir/.kl-start.lock"
  if [ -e "$dir/flugstat.txt" ]; then
    echo "removed Kurslotse 2007; kept your unit choices in $dir/flugstat.txt"
  else
    rmdir "$dir" 2>/dev/null || true
    echo "removed Kurslotse 2007"
  fi
  command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" 2>/dev/null || true
  exit 0
fi
[ $# = 0 ] || { echo "usage: install.sh [--remove]" >&2; exit 2; }

. "$root/scripts/wine-env.sh"
if [ -n "${KL_INSTALL_PROGRAM:-}" ]; then
  exe=$KL_INSTALL_PROGRAM
else
  bash "$root/scripts/setup.sh"
  preset=$(kl_windows_preset)
  cmake --preset $preset -S "$root" >/dev/null
  cmake --build --preset $preset --target kurslotse >/dev/null
  exe=$root/build/$preset/shell/kurslotse.exe
fi
# The program's kind decides the Wine loader: a 64-bit image (PE32+) needs
# the 64-bit one.
if python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(4096); o=struct.unpack_from("<I",d,60)[0]; sys.exit(struct.unpack_from("<H",d,o+24)[0]!=0x20b)' "$exe"; then
  arch=win64 loader=$KL_WINE64
else
  arch=win32 loader=$KL_WINE32
fi

mkdir -p "$dir" "$(dirname "$entry")"
if [ -d "$dir/wineprefix" ] && [ "$(cat "$dir/wineprefix/.kl-arch" 2>/dev/null)" != $arch ]; then
  # A prefix of the other architecture cannot run this program.
  WINEPREFIX=$dir/wineprefix wineserver -k >/dev/null 2>&1 || true
  rm -rf "$dir/wineprefix"
fi
install -m 644 "$exe" "$dir/kurslotse.exe"
# The icon drawn at the size desktops show large, not scaled up.
python3 "$root/shell/make_icon.py" --png 256 "$dir/kurslotse.png"

# The launcher: everything it needs is in it or in its own folder.
sed -e "s|@ARCH@|$arch|" -e "s|@LOADER@|$loader|" >"$dir/kurslotse-start" <<'LAUNCHER'
#!/usr/bin/env bash
# Starts Kurslotse 2007 under Wine in this folder, where it keeps
# flugstat.txt. Made by scripts/install.sh; KL_DPI=144 (for example) sets
# the text size, else the desktop's pixels per inch are used.
dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=$dir/wineprefix WINEARCH=@ARCH@ WINELOADER=@LOADER@ WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine never gets the start lock's descriptor: a Wine server started under
# the lock would keep it, and so the lock, for as long as it runs.
wine() { "$WINELOADER" "$@" 9>&-; }
fail() {
  echo "kurslotse-start: $*" >&2
  command -v notify-send >/dev/null && notify-send "Kurslotse 2007" "$*" 2>/dev/null
  exit 1
}
[ -x "$WINELOADER" ] || fail "Wine ($WINELOADER) is not installed"

# Two first starts at once: the first makes the prefix (and sets the text
# size) under the lock, the other waits for it and then uses that prefix.
exec 9>>"$dir/.kl-start.lock" || fail "cannot write in $dir"
flock 9 || fail "cannot lock $dir/.kl-start.lock"
if [ ! -f "$WINEPREFIX/.kl-made" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wine wineboot --init >/dev/null 2>&1
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || fail "Wine could not create its prefix $WINEPREFIX"
  echo @ARCH@ >"$WINEPREFIX/.kl-arch"
  touch "$WINEPREFIX/.kl-made"
fi

# The desktop's pixels per inch (Xft.dpi, else the screen's resolution,
# else 96), given to Wine when it has another value. The prefix's Wine
# server holds the new value for the program started next; waiting for that
# server to end would wait for every copy already running.
dpi=${KL_DPI:-$(xrdb -query 2>/dev/null | awk -F':[ \t]*' '$1 == "Xft.dpi" && $2 + 0 > 0 { printf "%d\n", $2 + 0.5; exit }')}
[ -n "$dpi" ] || dpi=$(xdpyinfo 2>/dev/null | awk '$1 == "resolution:" { split($2, r, "x"); print r[2]; exit }')
[[ "$dpi" =~ ^[0-9]+$ ]] && [ "$dpi" -gt 0 ] || dpi=96
key='HKCU\Control Panel\Desktop'
have=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
if [ "$have" != "$(printf '0x%x' "$dpi")" ]; then
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
fi

exec 9>&-

cd "$dir" || fail "cannot enter $dir"
exec "$WINELOADER" kurslotse.exe "$@"
LAUNCHER
chmod 755 "$dir/kurslotse-start"

# Exec and Path hold absolute paths: quoted, with the characters the
# desktop entry format reserves inside quotes escaped.
quote() { printf '"%s"' "$(printf '%s' "$1" | sed -e 's/[\\"`$]/\\\\&/g')"; }
cat >"$entry" <<ENTRY
[Desktop Entry]
Type=Application
Version=1.4
Name=Kurslotse 2007
GenericName=Flugvorbereitung
Comment=Winddreieck, Steuerkurs, Flugzeit und Verbrauch für einen Motorflug
Exec=$(quote "$dir/kurslotse-start")
Path=$dir
Icon=$dir/kurslotse.png
Terminal=false
Categories=Utility;Calculator;
StartupWMClass=kurslotse.exe
ENTRY
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" 2>/dev/null || true
echo "installed Kurslotse 2007 ($arch) in $dir"
echo "desktop entry: $entry"
