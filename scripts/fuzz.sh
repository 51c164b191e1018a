#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS
# (default 60), from its seeds in fuzz/corpus/<name>/ and what earlier runs found
# in build-fuzz/corpus/<name>/. A crash, leak or hang stops with its input saved
# in build-fuzz/ (crash-*, leak-*, timeout-*).
# With a second number, SHORT: a target whose reader did not change since the last
# commit that touched fuzz/ runs SHORT seconds only; its reader is what the target
# includes from src/ (header and source), or the target itself.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
short=${2:-$seconds}
scripts/setup-deps.sh

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUOXA_FUZZ=ON -DQUOXA_BUILD_GUI=OFF -DQUOXA_BUILD_BENCH=OFF -DQUOXA_WERROR=ON
cmake --build build-fuzz -j "$(nproc)"

changed=""
if [ "$short" != "$seconds" ] && git rev-parse --git-dir >/dev/null 2>&1; then
  base=$(git log -1 --format=%H -- fuzz/ 2>/dev/null || true)
  if [ -n "$base" ]; then
    changed=$( (git diff --name-only "$base"; git ls-files --others --exclude-standard) | sort -u)
  else
    short=$seconds
  fi
fi

# Seconds for the target built from fuzz/<Name>Fuzz.cpp.
seconds_for() {
  local source=fuzz/$1Fuzz.cpp
  [ "$short" = "$seconds" ] && { echo "$seconds"; return; }
  local files=("$source") header
  while IFS= read -r header; do
    files+=("src/$header" "src/${header%.h}.cpp")
  done < <(sed -n 's/^#include "\([a-z]*\/[A-Za-z0-9_]*\.h\)"$/\1/p' "$source" 2>/dev/null)
  local file
  for file in "${files[@]}"; do
    if grep -qxF "$file" <<<"$changed"; then echo "$seconds"; return; fi
  done
  echo "$short"
}

found=0
while IFS= read -r target; do
  found=1
  name=${target##*/fuzz_}
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  dirs=("$corpus")
  [ -d "fuzz/corpus/$name" ] && dirs+=("fuzz/corpus/$name")
  run=$(seconds_for "$name")
  echo "Fuzzing $name for $run s"
  "$target" -max_total_time="$run" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "${dirs[@]}"
done < <(find build-fuzz/fuzz -maxdepth 1 -type f -name 'fuzz_*' -executable | sort)

[ "$found" -eq 1 ] || { echo "No fuzz targets were built." >&2; exit 1; }
echo "Fuzzing found nothing."
