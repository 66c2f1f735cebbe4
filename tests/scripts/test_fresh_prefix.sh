#!/usr/bin/env bash
# The scripts' Wine set-up from scratch, as on a fresh clone: a prefix that
# does not exist yet, no Wine server running for it, and a caller that stops
# at the first failing command (as figures.sh and run.sh do). Making the
# prefix must go through and leave a prefix in which Wine runs.
# Usage: test_fresh_prefix.sh   (with KL_WINDOWS_BUILD naming the build tree)
set -euo pipefail
tmp=$(mktemp -d)
trap 'WINEPREFIX=$tmp/prefix wineserver -k >/dev/null 2>&1 || true; rm -rf "$tmp"' EXIT
. "$(dirname "$0")/../../scripts/wine-env.sh"
kl_wine_use "${KL_WINDOWS_BUILD:?the Windows build tree}" "$tmp/prefix"
kl_wine_prefix test
wine cmd /c exit
echo "ok: a new prefix made and used under set -e"
