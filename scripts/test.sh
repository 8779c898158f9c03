#!/usr/bin/env bash
# `make test` (all) and `make test-windows` (windows): installs what is missing, then builds and
# runs the suites, each step a target of the Makefile.
#
# Without wine32 (scripts/setup.sh could not install it: see scripts/wine/wine32.sh) the 32-bit
# add-in and its suites are still built, every other suite runs, and the run says so loudly at its
# start and at its end; it succeeds when that is all that is missing and everything else passed.
# Any other missing piece or failure fails it.
# Usage: test.sh [all|windows]   (VX_MAKE: the make to run the steps with)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/wine/wine32.sh"

what=${1:-all}
case "$what" in
    all|windows) ;;
    *) echo "usage: $0 [all|windows]" >&2; exit 2 ;;
esac
read -r -a make_command <<<"${VX_MAKE:-make}"

wine32_reason=""
finish() {
    local status=$?
    if [ -n "$wine32_reason" ]; then vx_wine32_banner "$wine32_reason"; fi
    if [ $status -ne 0 ]; then
        echo "make test: FAILED"
    elif [ -n "$wine32_reason" ]; then
        echo "make test: every step passed; the 32-bit Windows suites did not run (above)"
    else
        echo "make test: every step passed"
    fi
    exit $status
}

step() {
    echo "=== make $*"
    if ! "${make_command[@]}" --no-print-directory -C "$root" "$@"; then
        echo "=== FAILED: make $*"
        exit 1
    fi
}

"$here/setup.sh" "$what" || { echo "make test: FAILED: the set-up could not install what the build needs (above)"; exit 1; }
# The steps' own set-up (the Makefile's deps-* targets) was just done.
export VX_SETUP_DONE=1

windows_suites="build/windows build/windows64"
if wine32_reason=$(vx_wine32_missing "$root/build"); then
    windows_suites="build/windows64"
    vx_wine32_banner "$wine32_reason"
else
    wine32_reason=""
fi
trap finish EXIT

if [ "$what" = all ]; then
    step test-native
fi
step build-windows
step suites-windows WINDOWS_SUITES="$windows_suites"
if [ "$what" = all ]; then
    step fuzz-smoke
fi
