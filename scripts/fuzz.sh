#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a time budget each, one after the other: from the
# committed seeds in tests/fuzz/corpus/NAME and a working corpus under the build folder (where
# new inputs go). Prints the executions of each target; a target that finds a fault leaves the
# input in BUILD/artifacts/NAME/ and the whole run fails.
# Usage: fuzz.sh BUILD SECONDS_PER_TARGET
set -euo pipefail

build=${1:?usage: fuzz.sh BUILD SECONDS}
seconds=${2:?usage: fuzz.sh BUILD SECONDS}
root=$(cd "$(dirname "$0")/.." && pwd)

shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in $build/fuzz" >&2
  exit 2
fi

status=0
for target in "${targets[@]}"; do
  name=${target##*/fuzz_}
  seeds=$root/tests/fuzz/corpus/$name
  work=$build/corpus/$name
  artifacts=$build/artifacts/$name
  log=$build/logs/$name.log
  mkdir -p "$seeds" "$work" "$artifacts" "$build/logs"
  if "$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -print_final_stats=1 \
       -artifact_prefix="$artifacts/" "$work" "$seeds" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "fuzz $name: ${runs:-?} executions in $seconds s, nothing found"
  else
    echo "fuzz $name: FAULT FOUND (input in $artifacts/, log $log)"
    grep -E "invariant broken|ERROR|SUMMARY|runtime error|==ERROR" "$log" | head -5 || true
    status=1
  fi
done
exit $status
