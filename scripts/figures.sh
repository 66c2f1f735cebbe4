#!/usr/bin/env bash
# Measures the figures quoted for the program: calculation and paint times on
# the host (Google Benchmark), one full paint under Wine's real GDI, and the
# start-up time, file size and memory of the .exe against a minimal Win32
# program. Not a test: it prints numbers.
set -euo pipefail
cd "$(dirname "$0")/.."
KL_ROOT=$PWD
bash scripts/setup.sh
. scripts/wine-env.sh
preset=$(kl_windows_preset)
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
cmake --preset $preset >/dev/null && cmake --build --preset $preset >/dev/null &&
  cmake --build --preset $preset --target e2e_figures >/dev/null

echo "=== host: calculation and one full paint on the recording GDI"
build/bench/bench/kl_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E '^(Benchmark|BM_.*_median)'

kl_wine_use "$KL_ROOT/build/$preset"
kl_wine_prefix test
kl_start_xvfb
trap kl_stop_xvfb EXIT
echo "=== Wine ($preset): one full paint into a memory DC"
(cd build/$preset/tests/windows &&
  wine test_paint_dib.exe --gtest_also_run_disabled_tests --gtest_filter='*FullPaintTiming' | grep median)
kl_stop_xvfb
trap - EXIT

echo "=== Wine: start-up against a minimal program"
KL_WINDOWS_BUILD=$KL_ROOT/build/$preset bash tests/e2e/figures.sh 9
