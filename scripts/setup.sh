#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the project.
# Runs apt-get only for packages that are missing. It also builds, once, musl's maths for every
# target (the calculation cores' elementary functions), for the Windows side it cross-builds the
# libraries that Debian ships only for Linux, and for the fuzz build libjpeg-turbo with its
# instrumentation (scripts/mingw-deps.sh, in build/deps/, one folder per flavour, and cached
# by version outside the build tree). Usage: setup.sh [native|windows|fuzz|bench|all]
# `bench` is what only `make bench` needs: QuantLib, the peer the benchmarks measure against
# (the add-in and the test suites never link it).
#
# A package that cannot be installed fails the set-up (named, with apt's reason), all but one:
# wine32, which only the 32-bit Windows suites need. It alone needs the i386 architecture, added
# for it last, after everything else is in; when it cannot be had the set-up goes on, and says why
# in BUILD/wine32-unavailable, where `make test` reads it (scripts/wine/wine32.sh).
# VX_SETUP_DEPS=0 leaves out the cross-built libraries.
set -eEuo pipefail
# No step ends the set-up without saying which: set -e alone exits with apt's 100 and no word.
trap 'echo "setup.sh: line $LINENO: \"$BASH_COMMAND\" failed (exit $?)" >&2' ERR
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/apt.sh"
. "$here/wine/wine32.sh"

side=${1:-all}

native=(build-essential cmake ninja-build pkg-config git
        libgtest-dev libgmock-dev googletest libbenchmark-dev
        libffi-dev libxlsxwriter-dev zlib1g-dev libjpeg62-turbo-dev python3 python3-openpyxl dpkg-dev)
# Both Windows builds: i686 (varentis.xll) and x86_64 (varentis64.xll); wine64 runs the 64-bit
# programs, wine32 (below) the 32-bit ones.
windows=(cmake ninja-build googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
         xvfb xauth fonts-wine libz-mingw-w64-dev dpkg-dev)
bench=(libquantlib0-dev)
# libFuzzer and the sanitizers' runtimes come with Debian's clang; libjpeg-turbo is built from
# its source package with the fuzz build's instrumentation (dpkg-dev unpacks it).
fuzz=(cmake ninja-build pkg-config clang libclang-rt-14-dev libffi-dev libxlsxwriter-dev zlib1g-dev dpkg-dev)

wanted=()
case "$side" in
  native) wanted=("${native[@]}") ;;
  windows) wanted=("${windows[@]}") ;;
  fuzz) wanted=("${fuzz[@]}") ;;
  bench) wanted=("${native[@]}" "${bench[@]}") ;;
  all) wanted=("${native[@]}" "${windows[@]}" "${fuzz[@]}") ;;
  *) echo "usage: $0 [native|windows|fuzz|bench|all]" >&2; exit 2 ;;
esac

mapfile -t missing < <(vx_missing "${wanted[@]}" | awk '!seen[$0]++')
if [ ${#missing[@]} -gt 0 ]; then
  vx_apt_update || true
  if ! vx_apt_install "${missing[@]}"; then
    echo "setup.sh: $(printf '%s' "$vx_install_failures" | grep -c .) of the packages the build needs could not be installed (above)" >&2
    exit 1
  fi
fi

# wine32 and the i386 architecture, for the 32-bit Windows suites only. Its i386 libraries must
# be of the very versions of their amd64 twins, so a missing or stale i386 index leaves it
# uninstallable; the architecture is then taken away again if this run added it and nothing of
# it is installed, so that the machine's other updates do not fail on that index too.
install_wine32() {
  local added=0 reason
  rm -f "$(vx_wine32_note "$root/build")"
  vx_installed wine32:i386 && return 0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture for wine32"
    $vx_sudo dpkg --add-architecture i386
    added=1
  fi
  local updated=1
  vx_apt_update || updated=0
  if vx_apt_install wine32:i386; then
    return 0
  fi
  reason=$(printf '%s' "$vx_install_failures" | cut -f 2 | head -n 1)
  if [ "$updated" -eq 0 ]; then
    reason="$reason (apt-get update failed: $vx_update_failure)"
  fi
  if [ "$added" -eq 1 ] && [ -z "$(dpkg-query -W -f='${binary:Package}\n' '*:i386' 2>/dev/null)" ]; then
    $vx_sudo dpkg --remove-architecture i386 || true
  fi
  vx_wine32_record_missing "$root/build" "$reason"
  echo "wine32 could not be installed; the 32-bit Windows suites will not run: $reason"
}

if [ "$side" != windows ] && [ "$side" != fuzz ] && [ "${VX_SETUP_DEPS:-1}" != 0 ]; then
  "$here/mingw-deps.sh" native
fi
if [ "$side" = windows ] || [ "$side" = all ]; then
  install_wine32
  if [ "${VX_SETUP_DEPS:-1}" != 0 ]; then
    "$here/mingw-deps.sh" i686
    "$here/mingw-deps.sh" x86_64
  fi
fi
if { [ "$side" = fuzz ] || [ "$side" = all ]; } && [ "${VX_SETUP_DEPS:-1}" != 0 ]; then
  "$here/mingw-deps.sh" fuzz
fi
