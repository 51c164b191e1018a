#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS
# (default 60), as many at a time as there are processors, from its seeds in
# fuzz/corpus/<name>/ and what earlier runs found in build-fuzz/corpus/<name>/. A crash,
# leak or hang stops with its input saved in build-fuzz/ (crash-*, leak-*, timeout-*) and
# the end of that target's log (build-fuzz/fuzz-<name>.log).
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

# Runs one target; its output goes to a log of its own, shown when it finds something.
fuzz_one() {  # path
  local target=$1 name corpus run log
  name=${target##*/fuzz_}
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  local dirs=("$corpus")
  [ -d "fuzz/corpus/$name" ] && dirs+=("fuzz/corpus/$name")
  run=$(seconds_for "$name")
  log=build-fuzz/fuzz-$name.log
  echo "Fuzzing $name for $run s"
  if ! "$target" -max_total_time="$run" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "${dirs[@]}" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "Fuzzing $name found a fault (log: $log)" >&2
    return 1
  fi
}

# As many targets at a time as there are processors.
targets=()
while IFS= read -r target; do targets+=("$target"); done \
  < <(find build-fuzz/fuzz -maxdepth 1 -type f -name 'fuzz_*' -executable | sort)
[ ${#targets[@]} -gt 0 ] || { echo "No fuzz targets were built." >&2; exit 1; }

width=$(nproc)
failed=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$width" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz_one "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
[ "$failed" = 0 ] || exit 1
echo "Fuzzing found nothing."
