#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh copy of the run's prefix, with a wineserver of
# its own kept up (-p) for the whole run and killed (-k) after it; under Xvfb, since without a
# display Wine creates no windows (message boxes would not be real).
# Usage: run-suite.sh PROGRAM.exe [ARGUMENTS...]
# The build folder is VX_WINE_BUILD, or else the folder above the program's bin/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"

program=$(realpath "${1:?usage: run-suite.sh PROGRAM.exe [ARGUMENTS...]}")
shift
build=${VX_WINE_BUILD:-$(dirname "$(dirname "$program")")}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$program" "$@"
fi

base=$(vx_base_prefix "$build")
if [ ! -f "$base/system.reg" ]; then
    "$here/make-prefix.sh" "$build" >/dev/null
fi

# The copy: registry and small files for real, the large and never written system folders as
# hard links.
name=$(basename "$program" .exe)
prefix="$build/wine/suites/$name.$$"
rm -rf "$prefix"
mkdir -p "$prefix"
tar -C "$base" --exclude=./wineserver \
    --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs -cf - . |
    tar -C "$prefix" -xf -
cp -al "$base/drive_c/windows/system32" "$base/drive_c/windows/winsxs" "$prefix/drive_c/windows/"
export WINEPREFIX="$prefix"

finish() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$prefix"
}
trap finish EXIT
wineserver -p

# Paths handed to the program through the environment are given in Windows form.
if [ -n "${VARENTIS_ADDIN:-}" ]; then
    export VARENTIS_ADDIN=$(vx_windows_path "$VARENTIS_ADDIN")
fi
cd "$(dirname "$program")"
status=0
wine "$program" "$@" || status=$?
exit $status
