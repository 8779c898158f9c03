#!/usr/bin/env bash
# The set-up (scripts/setup.sh) and `make test` (scripts/test.sh) on made-up Debian machines: apt-get,
# dpkg, dpkg-query, sudo and make are the stubs of stubs/, whose state is a folder of files
# ($STUB), and the scripts run from a copy of scripts/ in a fresh scratch project, so that nothing
# of the real machine or build tree is touched. Each case is one ctest test.
# Usage: setup_test.sh CASE
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
project=$scratch/project
export STUB=$scratch/machine
mkdir -p "$project" "$STUB"
cp -a "$source_root/scripts" "$project/"
touch "$STUB/installed" "$STUB/archs" "$STUB/log"
export PATH="$here/stubs:$PATH" VX_APT_UPDATE_PAUSE=0 VX_SETUP_DEPS=0 VX_MAKE="$here/stubs/make"
unset VX_SETUP_DONE STUB_I386_INDEX STUB_UPDATE_FAILS STUB_FAILING_STEP STUB_BUSY_STEP

windows_packages=(cmake ninja-build googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
                  xvfb xauth fonts-wine libz-mingw-w64-dev dpkg-dev)
broken_banner='32-bit Windows suites NOT RUN: wine32 could not be installed: '

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# run NAME COMMAND...: runs the command, its output in $scratch/NAME.out, its status in $status.
run() {
    local name=$1
    shift
    "$@" >"$scratch/$name.out" 2>&1
    status=$?
    sed "s/^/  [$name] /" "$scratch/$name.out"
}
expect_status() { [ "$status" -eq "$1" ] || fail "status $status, expected $1"; }
expect_output() { grep -qE -- "$2" "$scratch/$1.out" || fail "no line of $1 matches /$2/"; }
refuse_output() { ! grep -qE -- "$2" "$scratch/$1.out" || fail "a line of $1 matches /$2/"; }
installed() { grep -qxF "$1" "$STUB/installed"; }
calls() { grep -c -- "$1" "$STUB/log"; }
note=$project/build/wine32-unavailable

# A fresh machine whose i386 index of the security suite is served broken: everything but wine32
# goes in, the update for it is tried three times, the i386 architecture taken away again, and the
# reason (apt's, and the update's) left for `make test`.
case_broken_i386_index() {
    export STUB_I386_INDEX=broken
    run setup "$project/scripts/setup.sh" windows
    expect_status 0
    local package
    for package in "${windows_packages[@]}"; do installed "$package" || fail "$package not installed"; done
    installed wine32:i386 && fail "wine32 installed"
    [ "$(calls 'apt-get .*update')" -eq 4 ] || fail "$(calls 'apt-get .*update') updates, expected 1 + 3 tries"
    grep -qx i386 "$STUB/archs" && fail "the i386 architecture was left behind"
    [ -s "$note" ] || fail "no note of why wine32 is missing"
    local reason
    reason=$(cat "$note")
    [ "$(wc -l <"$note")" -eq 1 ] || fail "the reason is not one line: $reason"
    [[ "$reason" == *"wine32:i386 : Depends: libwine:i386"* ]] || fail "apt's reason missing: $reason"
    [[ "$reason" == *"File has unexpected size"* ]] || fail "the update's reason missing: $reason"
    expect_output setup "^wine32 could not be installed; the 32-bit Windows suites will not run: "
    expect_output setup "^apt-get update failed \(try 1 of 3\), again in 0 s: Failed to fetch .*binary-i386"
}

# The i386 architecture was there before: it stays, though nothing of it is installed.
case_existing_i386_architecture_stays() {
    export STUB_I386_INDEX=broken
    echo i386 >"$STUB/archs"
    run setup "$project/scripts/setup.sh" windows
    expect_status 0
    grep -qx i386 "$STUB/archs" || fail "the i386 architecture was removed"
    [ "$(calls 'dpkg --remove-architecture')" -eq 0 ] || fail "tried to remove the architecture"
    # Every update fails on the i386 index: the first one too, and the rest still goes in.
    installed wine64 || fail "wine64 not installed"
    expect_output setup "^apt-get update failed 3 times; going on with the package lists apt has: "
}

# A healthy source: wine32 goes in after the rest, with the i386 architecture; a note of an earlier
# failure is taken away.
case_healthy_machine() {
    mkdir -p "$project/build"
    echo "an old reason" >"$note"
    run setup "$project/scripts/setup.sh" windows
    expect_status 0
    installed wine32:i386 || fail "wine32 not installed"
    grep -qx i386 "$STUB/archs" || fail "no i386 architecture"
    [ -e "$note" ] && fail "the old note is still there"
    # The i386 architecture is added only after the other packages are in.
    local first_install add
    first_install=$(grep -n 'apt-get .*install' "$STUB/log" | head -n 1 | cut -d: -f1)
    add=$(grep -n 'dpkg --add-architecture i386' "$STUB/log" | cut -d: -f1)
    [ "$add" -gt "$first_install" ] || fail "i386 added before the other packages were installed"
    refuse_output setup "NOT RUN|could not"
}

# An update that fails twice and then works: nothing is lost, and it was tried again.
case_update_retried() {
    export STUB_UPDATE_FAILS=2
    run setup "$project/scripts/setup.sh" native
    expect_status 0
    [ "$(calls 'apt-get .*update')" -eq 3 ] || fail "$(calls 'apt-get .*update') updates, expected 3"
    installed cmake || fail "cmake not installed"
    expect_output setup "try 2 of 3"
    refuse_output setup "failed 3 times"
}

# An update that always fails: the packages are still installed from the lists apt has.
case_update_failure_not_fatal() {
    export STUB_UPDATE_FAILS=99
    run setup "$project/scripts/setup.sh" native
    expect_status 0
    installed libgtest-dev || fail "libgtest-dev not installed"
    expect_output setup "^apt-get update failed 3 times; going on with the package lists apt has: Failed to fetch"
}

# A package the archive lacks fails the set-up, named on one line with apt's reason; all the
# others are installed.
case_uninstallable_package_fails() {
    printf '%s\n' fonts-wine >"$STUB/unknown"
    run setup "$project/scripts/setup.sh" windows
    [ "$status" -ne 0 ] || fail "the set-up succeeded without fonts-wine"
    expect_output setup "^cannot install fonts-wine: Unable to locate package fonts-wine$"
    [ "$(grep -c '^cannot install' "$scratch/setup.out")" -eq 1 ] || fail "other packages named as not installed"
    installed g++-mingw-w64-x86-64 || fail "the rest was not installed"
    installed xvfb || fail "the rest was not installed"
}

# Nothing missing: no apt-get at all.
case_nothing_missing() {
    printf '%s\n' "${windows_packages[@]}" wine32:i386 >"$STUB/installed"
    run setup "$project/scripts/setup.sh" windows
    expect_status 0
    [ "$(calls apt-get)" -eq 0 ] || fail "apt-get called with nothing missing"
}

# `make test` without wine32: the 32-bit add-in is still built, every other step runs, the loud
# line comes first and last, and the run succeeds.
case_make_test_without_wine32() {
    export STUB_I386_INDEX=broken
    run test "$project/scripts/test.sh" all
    expect_status 0
    [ "$(grep -c "^$broken_banner" "$scratch/test.out")" -eq 2 ] || fail "the NOT RUN line is not there twice"
    local first_banner first_step last_step last_banner
    first_banner=$(grep -n "^$broken_banner" "$scratch/test.out" | head -n 1 | cut -d: -f1)
    last_banner=$(grep -n "^$broken_banner" "$scratch/test.out" | tail -n 1 | cut -d: -f1)
    first_step=$(grep -n '^=== \[.*\] make ' "$scratch/test.out" | head -n 1 | cut -d: -f1)
    last_step=$(grep -n '^(step .* ran)' "$scratch/test.out" | tail -n 1 | cut -d: -f1)
    [ "$first_banner" -lt "$first_step" ] || fail "the NOT RUN line is not at the start"
    [ "$last_banner" -gt "$last_step" ] || fail "the NOT RUN line is not at the end"
    grep -q "Depends: libwine:i386" <(grep "^$broken_banner" "$scratch/test.out") || fail "the banner gives no reason"
    grep -qx "build-windows" "$STUB/steps" || fail "the Windows builds (the 32-bit DLL) not built"
    grep -qx "test-native" "$STUB/steps" || fail "the native suites did not run"
    grep -qx "fuzz-smoke" "$STUB/steps" || fail "the fuzz smoke run did not run"
    grep -qx "suites-windows WINDOWS_SUITES=build/windows64" "$STUB/steps" ||
        fail "the Windows suites were not the 64-bit ones alone: $(grep suites-windows "$STUB/steps")"
}

# Without wine32 any other failure still fails the run, and the loud line still ends it.
case_make_test_without_wine32_other_failure() {
    export STUB_I386_INDEX=broken STUB_FAILING_STEP=suites-windows
    run test "$project/scripts/test.sh" all
    [ "$status" -ne 0 ] || fail "a failed step passed"
    [ "$(tail -n 3 "$scratch/test.out" | grep -c "^$broken_banner")" -eq 1 ] || fail "the NOT RUN line does not end the run"
    expect_output test "make suites-windows WINDOWS_SUITES=build/windows64: FAILED"
}

# With wine32 every suite runs, and nothing says otherwise.
case_make_test_with_wine32() {
    run test "$project/scripts/test.sh" all
    expect_status 0
    refuse_output test "NOT RUN"
    grep -qx "suites-windows WINDOWS_SUITES=build/windows build/windows64" "$STUB/steps" ||
        fail "not both Windows suites: $(grep suites-windows "$STUB/steps")"
}

# Each step reports the CPU time its commands took, in the list that ends the run too.
case_make_test_reports_cpu() {
    export STUB_BUSY_STEP=fuzz-smoke
    run test "$project/scripts/test.sh" all
    expect_status 0
    local line user
    line=$(grep '^=== \[linux\] make fuzz-smoke: passed in ' "$scratch/test.out" | tail -n 1)
    user=$(sed -n 's/.*(CPU \([0-9]*\) s user, .*/\1/p' <<<"$line")
    [ -n "$user" ] && [ "$user" -ge 1 ] || fail "fuzz-smoke's 1.5 s of CPU reported as '${user}': $line"
    [ "$(grep -c 'make fuzz-smoke: passed' "$scratch/test.out")" -eq 2 ] || fail "the step is not in the closing list"
}

# Any other missing package fails `make test` before any step.
case_make_test_missing_package() {
    printf '%s\n' clang >"$STUB/unknown"
    run test "$project/scripts/test.sh" all
    [ "$status" -ne 0 ] || fail "make test passed without clang"
    [ ! -s "$STUB/steps" ] || fail "steps ran: $(cat "$STUB/steps")"
    expect_output test "^cannot install clang: Unable to locate package clang$"
}

# A fresh machine whose apt has no deb-src line: the library script adds the source twin of the
# Debian archive apt uses and goes on to fetch the sources (here refused, and said so), instead of
# ending on apt-cache's failure without a word.
case_library_sources_on_a_fresh_machine() {
    export VX_APT_ETC=$scratch/etc-apt VX_DEPS_CACHE=$scratch/cache
    mkdir -p "$VX_APT_ETC/sources.list.d" "$project/cmake"
    cp -a "$source_root/cmake/musl-math" "$project/cmake/"
    . /etc/os-release
    printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\n' \
        "$VERSION_CODENAME" "$VERSION_CODENAME" >"$VX_APT_ETC/sources.list.d/debian.sources"
    run deps "$project/scripts/mingw-deps.sh" native "$project/build"
    expect_status 1
    grep -qx 'Types: deb-src' "$VX_APT_ETC/sources.list.d/varentis-deb-src.sources" 2>/dev/null ||
        fail "no deb-src stanza written"
    expect_output deps "^mingw-deps.sh: apt-get source musl=1.0-1 failed: Unable to find a source package for musl$"
}

name=${1:?usage: setup_test.sh CASE}
declare -F "case_$name" >/dev/null || { echo "no case $name"; exit 2; }
"case_$name"
if [ $failures -gt 0 ]; then
    echo "$name: $failures check(s) failed"
    exit 1
fi
echo "$name: passed"
