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
#   when nobody can reach it there, else made for this run and removed.
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
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

mkdir "$work/taken"
(cd "$work/taken" && seq 1 65535 | awk '{ printf "kls%x.tmp\n", $1 }' | xargs touch) || exit 1
KL_TAKEN_NAMES_DIR=$work/taken kl_wine_run "$driver" --gtest_filter='*TemporaryNamesAreNeverTouched*' || rc=1

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
