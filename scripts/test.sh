#!/usr/bin/env bash
# Builds everything and runs every test: the program's tests in build/, then the
# core tests again under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/,
# then each fuzz target for 20 seconds, or 5 where its reader did not change since the
# last commit that touched fuzz/ (scripts/fuzz.sh).
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
step "the tests" ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300

step "configuring the sanitizer build" cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUOXA_WERROR=ON -DQUOXA_BUILD_GUI=OFF -DQUOXA_BUILD_BENCH=OFF -DQUOXA_SANITIZE=ON
step "building the sanitizer build" cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  step "the tests under the sanitizers" ctest --test-dir build-asan -j "$jobs" --output-on-failure \
  --timeout 300

step "fuzzing" scripts/fuzz.sh 20 5
echo "All tests passed in $SECONDS s."
