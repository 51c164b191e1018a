#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS
# (default 60), from its seeds in fuzz/corpus/<name>/ and what earlier runs found
# in build-fuzz/corpus/<name>/. A crash, leak or hang stops with its input saved
# in build-fuzz/ (crash-*, leak-*, timeout-*).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
scripts/setup-deps.sh

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUOXA_FUZZ=ON -DQUOXA_BUILD_GUI=OFF -DQUOXA_BUILD_BENCH=OFF -DQUOXA_WERROR=ON
cmake --build build-fuzz -j "$(nproc)"

found=0
while IFS= read -r target; do
  found=1
  name=${target##*/fuzz_}
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  dirs=("$corpus")
  [ -d "fuzz/corpus/$name" ] && dirs+=("fuzz/corpus/$name")
  echo "Fuzzing $name for $seconds s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "${dirs[@]}"
done < <(find build-fuzz/fuzz -maxdepth 1 -type f -name 'fuzz_*' -executable | sort)

[ "$found" -eq 1 ] || { echo "No fuzz targets were built." >&2; exit 1; }
echo "Fuzzing found nothing."
