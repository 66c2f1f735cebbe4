#!/usr/bin/env bash
# Start-up figures of kurslotse.exe against a minimal Win32 program, measured
# side by side under Wine on a virtual display.
# Usage: tests/e2e/figures.sh [runs]   (after building the windows preset;
# KL_WINDOWS_BUILD names another Windows build tree, build/windows64 say)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${KL_WINDOWS_BUILD:-$root/build/windows}
export KL_WINDOWS_BUILD=$build
. "$root/scripts/wine-env.sh"
kl_wine_use "$build"
kl_wine_prefix test
kl_start_xvfb
trap kl_stop_xvfb EXIT
wine "$build/tests/e2e/e2e_figures.exe" "$build/tests/e2e/e2e_floor.exe" "$build/shell/kurslotse.exe" "${1:-7}"
