#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suite under the
# sanitizers, the Windows suite (unit and end-to-end) under Wine on a virtual
# display, and short fuzzing runs. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
KL_ROOT=$PWD
bash scripts/setup.sh || exit 1
. scripts/wine-env.sh

failed=()
log=$(mktemp)
trap 'rm -f "$log"' EXIT
step() { # step <name> <command...>
  local name=$1; shift
  echo "=== $name"
  if ! "$@" 2>&1 | tee -a "$log"; then failed+=("$name"); fi
}

build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1" 2>&1 | grep -v '^\[' ; return "${PIPESTATUS[0]}"; }

step "host build" build host
step "host tests" ctest --preset host
step "benchmark build" build bench
step "fuzz build" build fuzz
step "fuzz runs" bash scripts/fuzz.sh
step "windows build" build windows
kl_wine_prefix
kl_wine_dpi 96 # a run of the program on a high-DPI desktop may have changed it
kl_start_xvfb || failed+=("xvfb")
step "windows tests" ctest --preset windows
kl_stop_xvfb

# One closing line over both ctest runs ("N tests passed, N tests failed out of M").
read -r npass nfail < <(awk '/tests passed, [0-9]+ tests? failed out of/ {
    split($0, w, " "); for (i = 1; i <= NF; i++) if (w[i] == "out") total += w[i + 2];
    for (i = 1; i <= NF; i++) if (w[i] ~ /^failed/) fail += w[i - 2]
  } END { print total - fail, fail + 0 }' "$log")
echo
echo "test programs: $npass passed, $nfail failed"
if [ "${#failed[@]}" -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test steps passed."
