#!/usr/bin/env bash
# The Windows side of `make test`: for each build folder (the 32-bit and the 64-bit build), one
# Wine prefix of its kind (made once, and kept while Wine and its recipe stay the same), then
# every Windows suite of the folder through ctest, each in its own copy of the prefix and on its
# own Xvfb. The folders run side by side,
# each with VX_JOBS suites at a time (the suites spend most of their time waiting on Wine, not
# computing); each folder's ctest output is shown whole once it ends.
# Usage: test-windows.sh BUILD_DIR... [-- CTEST_ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

builds=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    builds+=("$(realpath "$1")")
    shift
done
[ $# -gt 0 ] && shift  # the --
[ ${#builds[@]} -gt 0 ] || { echo "usage: test-windows.sh BUILD_DIR... [-- CTEST_ARGUMENTS...]" >&2; exit 2; }

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

run_build() {
    local build=$1 log=$2
    shift 2
    {
        "$here/make-prefix.sh" --keep "$build" &&
        (cd "$build" && ctest --output-on-failure --schedule-random -j "${VX_JOBS:-2}" "$@")
    } >"$log" 2>&1
}

pids=()
for i in "${!builds[@]}"; do
    run_build "${builds[$i]}" "$logs/$i.log" "$@" &
    pids+=($!)
done
status=0
for i in "${!builds[@]}"; do
    result=0
    wait "${pids[$i]}" || result=$?
    echo "=== Windows suites of ${builds[$i]}"
    cat "$logs/$i.log"
    if [ $result -ne 0 ]; then
        echo "=== FAILED: the Windows suites of ${builds[$i]} (status $result)"
        status=1
    fi
done
exit $status
