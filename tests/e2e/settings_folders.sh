#!/usr/bin/env bash
# The settings tests of the end-to-end driver that need a folder a Windows
# program cannot make quickly or at all:
# - every name the platform's temporary-name call can give taken by a file
#   (made here in a second; Wine looks up each new name without regard to
#   case, which makes 65,535 of them take many minutes);
# - a folder that lets the settings file be changed but no file be added,
#   used by a user without that right. Root ignores the folder's mode, so as
#   root the driver runs as nobody, with copies of the two programs and in a
#   copy of the tests' prefix that nobody owns: made once in the build tree
#   when nobody can reach it there, else made for this run and removed;
# - a folder shared with a copy of the program in a second Wine prefix,
#   which cannot see the first copy's process (as a copy on another PC
#   cannot): started here when the driver holds its own copy's save midway;
# - a settings file that is a symbolic link to a file kept elsewhere (a
#   Windows program cannot make one under Wine), checked to stay a link;
# - an append-only folder (files can be made and written, no name removed
#   or replaced), where the filesystem allows one.
# Usage: settings_folders.sh <e2e_driver.exe>; the environment of the
# driver's ctest entry (KL_WINDOWS_BUILD, KL_KURSLOTSE_EXE) and DISPLAY.
set -uo pipefail
driver=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
kl_wine_use "${KL_WINDOWS_BUILD:?the Windows build tree}" || exit 1
rc=0
work=$(mktemp -d) || exit 1
chmod 755 "$work"
trap 'chattr -a "$work/append" 2>/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT
# The seven lines of a save with the airspeed in knots.
saved='[kt]    # Einheit Fluggeschwindigkeit\r\n[km/h]    # Einheit Windgeschwindigkeit\r\n[NM]    # Einheit Distanz\r\n[l/min]    # Einheit Verbrauch pro Zeit\r\n\r\n# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert.\r\n# Beim Neustart des Kurslotses werden diese Werte voreingestellt.\r\n'


mkdir "$work/taken"
(cd "$work/taken" && seq 1 65535 | awk '{ printf "kls%x.tmp\n", $1 }' | xargs touch) || exit 1
KL_TAKEN_NAMES_DIR=$work/taken kl_wine_run "$driver" --gtest_filter='*TemporaryNamesAreNeverTouched*' || rc=1

mkdir "$work/shared" "$work/signal"
second=$work/wineprefix-second
(WINEPREFIX=$second kl_wine_copy_prefix "$WINEPREFIX") || exit 1
(
  for _ in $(seq 600); do [ -e "$work/signal/go" ] && break; sleep 0.1; done
  if [ -e "$work/signal/go" ]; then
    # The other copy's start is all that matters: given time to make its
    # window, then ended.
    (cd "$work/shared" && WINEPREFIX=$second "$WINELOADER" "$KL_KURSLOTSE_EXE" >/dev/null 2>&1 &)
    sleep 8
    WINEPREFIX=$second wineserver -k >/dev/null 2>&1
    touch "$work/signal/done"
  fi
) &
other=$!
KL_SHARED_DIR=$work/shared KL_SIGNAL_DIR=$work/signal \
  kl_wine_run "$driver" --gtest_filter='*ACopyInAnotherPrefix*' || rc=1
kill "$other" 2>/dev/null
wait "$other" 2>/dev/null
WINEPREFIX=$second wineserver -k >/dev/null 2>&1

mkdir "$work/linked" "$work/kept"
printf "$saved" >"$work/kept/flugstat.txt"
ln -s ../kept/flugstat.txt "$work/linked/flugstat.txt"
KL_LINKED_DIR=$work/linked kl_wine_run "$driver" --gtest_filter='*ALinkedSettingsFile*' || rc=1
[ -L "$work/linked/flugstat.txt" ] || { echo "FAILED: the linked flugstat.txt is no longer a link"; rc=1; }
[ -z "$(ls "$work/kept" | grep -vx flugstat.txt)" ] || { echo "FAILED: left beside the link's file: $(ls "$work/kept")"; rc=1; }

mkdir "$work/append"
printf "$saved" >"$work/append/flugstat.txt"
if chattr +a "$work/append" 2>/dev/null; then
  KL_APPEND_ONLY_DIR=$work/append kl_wine_run "$driver" --gtest_filter='*AppendOnlyFolder*' || rc=1
  echo "left in the append-only folder: $(ls "$work/append" | grep -vx flugstat.txt | tr '\n' ' ')"
  chattr -a "$work/append"
else
  echo "no append-only folder can be made here (chattr +a refused): that case is not run"
fi

mkdir "$work/fixed"
touch "$work/fixed/flugstat.txt"
chmod 666 "$work/fixed/flugstat.txt"
chmod 555 "$work/fixed"
export KL_NO_NEW_FILES_DIR=$work/fixed
filter='*FolderWithoutNewFilesSavesInPlace*'
if [ "$(id -u)" != 0 ]; then
  kl_wine_run "$driver" --gtest_filter="$filter" || rc=1
  exit $rc
fi
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$prefix" "$@"; }
cp "$driver" "$work/e2e_driver.exe" && cp "$KL_KURSLOTSE_EXE" "$work/kurslotse.exe" || exit 1
prefix=$KL_WINDOWS_BUILD/wineprefix-nobody
as_nobody test -x "$KL_WINDOWS_BUILD" || prefix=$work/wineprefix-nobody
if [ ! -f "$prefix/.kl-made" ]; then
  (kl_wine_use "$KL_WINDOWS_BUILD" "$prefix" && kl_wine_copy_prefix "$KL_WINDOWS_BUILD/wineprefix") || exit 1
  # The copy names the Wine server's folder of root's, which nobody may
  # not enter: Wine makes one of nobody's own when none is named.
  rm -f "$prefix/wineserver"
  chown -R nobody:nogroup "$prefix" || exit 1
fi
# Wine's environment as kl_wine_use set it, but nobody's prefix; the output
# goes through files (the tree that scripts/wine-env.sh is in may be out of
# nobody's reach).
as_nobody WINEPREFIX="$prefix" KL_KURSLOTSE_EXE="$work/kurslotse.exe" \
  "$WINELOADER" "$work/e2e_driver.exe" --gtest_filter="$filter" >"$work/out" 2>"$work/err" || rc=1
as_nobody WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
cat "$work/out"
cat "$work/err" >&2
exit $rc
