#!/usr/bin/env bash
# `make test` (all) and `make test-windows` (windows): installs what is missing, then builds and
# runs the suites, each step a target of the Makefile, in two lanes side by side so that both
# cores stay busy (the Wine suites spend much of their time waiting on Wine):
#   Linux:    the native suites, the sanitizer suites, the fuzz targets' smoke run
#   Windows:  both add-ins cross-built (32 and 64 bits), then their suites under Wine
# The Linux lane prints as it goes; the Windows lane writes build/logs/windows.log, shown whole
# once it ends. Each step reports its time and CPU time.
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
logs=$root/build/logs
started=$(date +%s)

# CPU time of this shell's finished children, user and system, in whole seconds, into the array
# named NAME (`times` counts the children of the shell it runs in, so never in a subshell).
children_cpu() {
    local file="$logs/.times.$BASHPID"
    times >"$file"
    read -r -a "$1" < <(awk 'NR == 2 {
        for (i = 1; i <= 2; i++) { split($i, t, "m"); sub("s", "", t[2]); s[i] = t[1] * 60 + t[2] }
        printf "%.0f %.0f\n", s[1], s[2] }' "$file")
    rm -f "$file"
}

# step LANE TARGET [VARIABLE=VALUE...]: one make target; its failure ends the lane.
step() {
    local lane=$1 before after begin status=0
    shift
    echo "=== [$lane] make $*"
    children_cpu before
    begin=$(date +%s)
    "${make_command[@]}" --no-print-directory -C "$root" "$@" || status=$?
    children_cpu after
    local verdict=passed
    [ $status -eq 0 ] || verdict=FAILED
    printf '=== [%s] make %s: %s in %d s (CPU %d s user, %d s system)\n' "$lane" "$*" "$verdict" \
        $(( $(date +%s) - begin )) $(( after[0] - before[0] )) $(( after[1] - before[1] )) | tee -a "$logs/steps.txt"
    return $status
}

wine32_reason=""
finish() {
    local status=$?
    if [ -s "$logs/steps.txt" ]; then
        echo "=== Steps:"
        cat "$logs/steps.txt"
    fi
    if [ -n "$wine32_reason" ]; then vx_wine32_banner "$wine32_reason"; fi
    local elapsed=$(( $(date +%s) - started ))
    if [ $status -ne 0 ]; then
        echo "make test: FAILED after $elapsed s"
    elif [ -n "$wine32_reason" ]; then
        echo "make test: every step passed in $elapsed s; the 32-bit Windows suites did not run (above)"
    else
        echo "make test: every step passed in $elapsed s"
    fi
    exit $status
}

# The packages first, the libraries built from source packages in the lanes that need them.
VX_SETUP_DEPS=0 "$here/setup.sh" "$what" ||
    { echo "make test: FAILED: the set-up could not install what the build needs (above)"; exit 1; }
# The steps' own set-up (the Makefile's deps-* targets) is done.
export VX_SETUP_DONE=1
mkdir -p "$logs"
rm -f "$logs/steps.txt"

windows_suites="build/windows build/windows64"
if wine32_reason=$(vx_wine32_missing "$root/build"); then
    windows_suites="build/windows64"
    vx_wine32_banner "$wine32_reason"
else
    wine32_reason=""
fi
trap finish EXIT

windows_lane() {
    step windows deps-windows-libraries &&
    step windows build-windows &&
    step windows suites-windows WINDOWS_SUITES="$windows_suites"
}

linux_lane() {
    step linux test-native &&
    step linux deps-fuzz-libraries &&
    step linux fuzz-smoke
}

if [ "$what" = windows ]; then
    windows_lane
    exit
fi

windows_lane >"$logs/windows.log" 2>&1 &
windows=$!
status=0
linux_lane || status=1
windows_status=0
wait $windows || windows_status=$?
echo "=== The Windows lane (build/logs/windows.log):"
cat "$logs/windows.log"
[ $windows_status -eq 0 ] || status=1
exit $status
