#!/usr/bin/env bash
# Builds everything and runs every test: the program's tests in build/, then the
# core tests again under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/,
# then each fuzz target for 20 seconds, or 5 where its reader did not change since the
# last commit that touched fuzz/ (scripts/fuzz.sh).
#
# The real-X11 cases spend their time waiting for windows, not computing: they run in
# the background from the end of the build, beside everything else, which runs at a
# lower priority (nice) so that the program under X11 answers as on an idle machine.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each step's wall time goes to standard error, so a slow step shows where it is.
step() {  # name command...
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "test.sh: $name took $((SECONDS - start)) s" >&2
}

step "installing the dependencies" scripts/setup-deps.sh

jobs=$(nproc)

step "configuring" cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOXA_WERROR=ON
step "building" cmake --build build -j "$jobs"

# The X11 cases in a process group of their own, so that a failure elsewhere (or ^C)
# stops them and the servers they started; from their own folder, so that the two ctest
# runs keep their logs and timings apart.
x11_log=build/x11-tests.log
setsid bash -c 'start=$(date +%s)
  ctest --test-dir build/tests/x11 -j "$1" --output-on-failure --timeout 600 >"$2" 2>&1 && status=0 || status=$?
  echo "test.sh: the real-X11 tests took $(($(date +%s) - start)) s, beside the steps above" >>"$2"
  exit "$status"' x11 "$jobs" "$x11_log" &
x11_pid=$!
stop_x11() { [ -z "$x11_pid" ] || kill -TERM -- "-$x11_pid" 2>/dev/null || true; }
trap stop_x11 EXIT

later() { nice -n 15 "$@"; }

step "the tests (but the real-X11 ones)" later ctest --test-dir build -LE x11 -j "$jobs" \
  --output-on-failure --timeout 300

step "configuring the sanitizer build" cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUOXA_WERROR=ON -DQUOXA_BUILD_GUI=OFF -DQUOXA_BUILD_BENCH=OFF -DQUOXA_SANITIZE=ON
step "building the sanitizer build" later cmake --build build-asan -j "$jobs"

# The core tests under the sanitizers in one process per processor (a share of the tests
# each), not one per test as ctest runs them above: the sanitizers' start-up per process
# cost five times the tests' own time. What a test leaves behind for the next one shows
# here, what a test needs from an earlier one shows above.
sanitized_tests() {
  local i status=0 pids=()
  for ((i = 0; i < jobs; i++)); do
    (cd build-asan/tests/core && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$i later timeout 1200 ./quoxa_core_tests --gtest_brief=1 \
      >"../../core-tests-$i.log" 2>&1) &
    pids+=($!)
  done
  for i in "${!pids[@]}"; do
    if ! wait "${pids[$i]}"; then
      status=1
      cat "build-asan/core-tests-$i.log"
    fi
  done
  tail -n 3 build-asan/core-tests-*.log
  return "$status"
}
step "the tests under the sanitizers" sanitized_tests

step "fuzzing" later scripts/fuzz.sh 20 5

x11_status=0
wait "$x11_pid" || x11_status=$?
x11_pid=""
cat "$x11_log"
[ "$x11_status" = 0 ] || { echo "test.sh: real-X11 tests failed (log: $x11_log)" >&2; exit 1; }
echo "All tests passed in $SECONDS s."
