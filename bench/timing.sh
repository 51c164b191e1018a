# Sourced by the whole-process benchmarks: the wall time of the best of three runs of a
# command, in seconds, its standard output dropped.
seconds() {
  local best=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    best=$(python3 -c "t=$end-$start; b='$best'; print(t if b=='' else min(t, float(b)))")
  done
  echo "$best"
}
