#!/usr/bin/env bash
# Runs a Windows program of a build tree under Wine, with that tree's Wine
# environment: the emulator through which CTest runs every test program.
# The tree is KL_WINDOWS_BUILD (which the tests set).
# Usage: wine.sh <program.exe> [args...]
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
kl_wine_use "${KL_WINDOWS_BUILD:?the Windows build tree}" || exit 1
kl_wine_run "$@"
