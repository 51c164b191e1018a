#!/usr/bin/env bash
# Builds everything and runs every test: the program's tests in build/, then the
# core tests again under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/,
# then each fuzz target for 20 seconds, or 5 where its reader did not change since the
# last commit that touched fuzz/ (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOXA_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUOXA_WERROR=ON \
  -DQUOXA_BUILD_GUI=OFF -DQUOXA_BUILD_BENCH=OFF -DQUOXA_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 300

scripts/fuzz.sh 20 5
echo "All tests passed."
