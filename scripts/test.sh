#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suite under the
# sanitizers, short fuzzing runs, and the Windows suite (unit, pixel and
# end-to-end tests under Wine on a virtual display) of every Windows build
# this machine can execute: the 32-bit program where 32-bit code runs, the
# 64-bit one always. Both Windows programs are always built; one that cannot
# run here is checked statically instead. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
KL_ROOT=$PWD
bash scripts/setup.sh || exit 1
. scripts/wine-env.sh

failed=()
suites=()
log=$(mktemp)
trap 'rm -f "$log"; kl_stop_xvfb' EXIT
step() { # step <name> <command...>
  local name=$1 start=$SECONDS rc=0; shift
  echo "=== $name"
  "$@" 2>&1 | tee -a "$log" || rc=1
  echo "--- $name: $((SECONDS - start)) s"
  [ $rc = 0 ] || failed+=("$name")
  return $rc
}

build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1" 2>&1 | grep -v '^\[' ; return "${PIPESTATUS[0]}"; }

# One Windows suite: the tree's test prefix with its Wine server kept for the
# whole run, a virtual display, and the tests two at a time (those that
# need the display alone take turns).
windows_suite() { # windows_suite <preset>
  kl_wine_use "$KL_ROOT/build/$1" && kl_wine_prefix test && kl_start_xvfb && kl_wine_keep || return 1
  ctest --preset "$1" -j2
  local rc=$?
  kl_stop_xvfb
  return $rc
}

step "host build" build host
step "host tests" ctest --preset host && suites+=(host)
step "benchmark build" build bench
step "fuzz build" build fuzz
step "fuzz runs" bash scripts/fuzz.sh && suites+=(fuzz)
step "windows build (32-bit)" build windows
step "windows build (64-bit)" build windows64
step "programs reproducible" bash scripts/release.sh --check

step "windows tests (64-bit)" windows_suite windows64 && suites+=(windows64)
if kl_runs_32bit; then
  step "windows tests (32-bit)" windows_suite windows && suites+=(windows)
else
  echo "=== 32-bit code cannot run on this machine: skipped the 32-bit Windows suite (build/windows); its program is checked statically"
  step "windows static checks (32-bit)" ctest --preset windows -L static && suites+=("windows (static)")
fi

# One closing line over every ctest run ("N tests passed, N tests failed out of M").
read -r npass nfail < <(awk '/tests passed, [0-9]+ tests? failed out of/ {
    split($0, w, " "); for (i = 1; i <= NF; i++) if (w[i] == "out") total += w[i + 2];
    for (i = 1; i <= NF; i++) if (w[i] ~ /^failed/) fail += w[i - 2]
  } END { print total - fail, fail + 0 }' "$log")
echo
echo "test programs: $npass passed, $nfail failed; ${#suites[@]} suites passed: ${suites[*]}"
if [ "${#failed[@]}" -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test steps passed in $SECONDS s."
