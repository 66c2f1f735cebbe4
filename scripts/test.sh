#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suite under the
# sanitizers, short fuzzing runs, and the Windows suite (unit, pixel and
# end-to-end tests under Wine on a virtual display) of every Windows build
# this machine can execute: the 32-bit program where 32-bit code runs, the
# 64-bit one always. A Windows build that cannot run here is built only as
# far as its static checks need, and checked without running it. Exits
# non-zero on any failure.
#
# Lanes share the machine: each Windows build that runs here with its suite,
# which mostly waits on Wine and the display, and beside them, at a lower
# priority, everything that needs no display (the native, benchmark and fuzz
# builds and runs, the 32-bit static checks where 32-bit code cannot run, the
# reproducibility check): it takes the time the Windows lanes leave. Each
# step's output is shown whole when it ends, with its wall and CPU seconds.
set -uo pipefail
cd "$(dirname "$0")/.."
KL_ROOT=$PWD
bash scripts/setup.sh || exit 1
. scripts/wine-env.sh

work=$(mktemp -d)
trap 'kl_stop_xvfb; rm -rf "$work"' EXIT
hz=$(getconf CLK_TCK)

# CPU ticks of the finished children of this (sub)shell, into $ticks_now
# (a command substitution would read its own).
child_ticks() {
  local stat
  read -r stat </proc/$BASHPID/stat
  set -- ${stat##*) }
  ticks_now=$((${14} + ${15}))
}

# step <name> <command...>: runs a step, then shows its output and times in
# one piece (the lanes' steps end in any order) and notes a failure.
step() {
  local name=$1 start=$SECONDS ticks ticks_now rc=0 out
  shift
  child_ticks
  ticks=$ticks_now
  out=$work/step.$BASHPID.log
  "$@" >"$out" 2>&1 </dev/null || rc=1
  child_ticks
  ticks=$((ticks_now - ticks))
  {
    flock 9
    echo "=== $name"
    cat "$out"
    printf -- '--- %s: %d s, %d.%02d CPU s%s\n' "$name" $((SECONDS - start)) $((ticks / hz)) \
      $((ticks % hz * 100 / hz)) "$([ $rc = 0 ] || echo ', FAILED')"
  } 9>>"$work/lock" | tee -a "$work/all.log"
  cat "$out" >>"$work/ctest.log"
  rm -f "$out"
  [ $rc = 0 ] || echo "$name" >>"$work/failed"
  return $rc
}
suite_passed() { echo "$1" >>"$work/suites"; }

# build <preset> [target]: configures and builds holding the tree's lock
# (build/<preset>.lock), which a test that builds in another tree takes too.
build() {
  mkdir -p build
  flock "build/$1.lock" bash -c 'cmake --preset "$1" >/dev/null && cmake --build --preset "$1" ${2:+--target "$2"}' \
    build "$@" 2>&1 | grep -v '^\['
  return "${PIPESTATUS[0]}"
}

# One Windows suite: the tree's test prefix with its Wine server kept for the
# whole run, a virtual display, and the tests two at a time (those that
# need the display take turns; the slowest start first).
windows_suite() { # windows_suite <preset>
  kl_wine_use "$KL_ROOT/build/$1" && kl_wine_prefix test && kl_start_xvfb && kl_wine_keep || return 1
  ctest --preset "$1" -j2
  local rc=$?
  kl_stop_xvfb
  return $rc
}

if kl_runs_32bit; then
  runs32=yes
else
  runs32=no
  echo "=== 32-bit code cannot run on this machine: the 32-bit program (build/windows) is built for its static checks and checked without running it"
fi

# The tree's test prefix needs only the configured tree: it is made (once)
# while the tree builds.
wine_prefix() { kl_wine_use "$KL_ROOT/build/$1" && kl_wine_prefix test; }

# windows_tree <preset> <bits>: configures the tree, makes its test prefix
# while the tree builds, then runs its suite.
windows_tree() {
  trap kl_stop_xvfb EXIT
  mkdir -p build
  flock "build/$1.lock" cmake --preset "$1" >/dev/null
  step "wine prefix ($2)" wine_prefix "$1" &
  local prefix=$!
  step "windows build ($2)" build "$1"
  local built=$?
  wait $prefix && [ $built = 0 ] &&
    step "windows tests ($2)" windows_suite "$1" && suite_passed "$1"
}

# Everything that needs no display, at a lower priority. The Windows suites
# compare their results table with the native build's; that test brings
# the native program up to date itself, under build/host.lock, so it waits
# for the host build rather than racing it.
other_lane() {
  renice -n 10 -p $BASHPID >/dev/null
  step "host build" build host
  local host=$?
  if [ $runs32 = no ]; then
    step "windows build (32-bit, static checks)" build windows kl_static_checks &&
      step "windows static checks (32-bit)" ctest --preset windows -L static && suite_passed "windows (static)"
  fi
  [ $host = 0 ] && step "host tests" ctest --preset host && suite_passed host
  step "fuzz build" build fuzz && step "fuzz runs" bash scripts/fuzz.sh && suite_passed fuzz
  step "benchmark build" build bench
  # Both trees' locks: a tree still building is waited for, not built twice.
  step "programs reproducible" flock build/windows.lock flock build/windows64.lock bash scripts/release.sh --check
}

# Where 32-bit code runs, its tree is built and tested beside the 64-bit
# one, each with its own prefix, Wine server and display. (Each lane is a
# child of this shell, so that a step's CPU seconds are its own.)
windows_tree windows64 64-bit &
if [ $runs32 = yes ]; then windows_tree windows 32-bit & fi
other_lane &
wait

# One closing line over every ctest run ("N tests passed, N tests failed out of M").
read -r npass nfail < <(awk '/tests passed, [0-9]+ tests? failed out of/ {
    split($0, w, " "); for (i = 1; i <= NF; i++) if (w[i] == "out") total += w[i + 2];
    for (i = 1; i <= NF; i++) if (w[i] ~ /^failed/) fail += w[i - 2]
  } END { print total - fail, fail + 0 }' "$work/ctest.log")
mapfile -t suites < <(cat "$work/suites" 2>/dev/null)
echo
echo "steps (wall, CPU):"
grep -E '^--- .*: [0-9]+ s, [0-9.]+ CPU s' "$work/all.log" | sed 's/^--- /  /'
echo "test programs: $npass passed, $nfail failed; ${#suites[@]} suites passed: ${suites[*]}"
if [ -s "$work/failed" ]; then
  echo "FAILED: $(paste -sd, "$work/failed" | sed 's/,/, /g')"
  exit 1
fi
echo "All test steps passed in $SECONDS s."
