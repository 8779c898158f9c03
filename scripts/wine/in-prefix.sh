#!/usr/bin/env bash
# Runs a command in a fresh copy of the run's Wine prefix, with a wineserver of its own kept up
# (-p) for the whole command and killed (-k) after it; on an Xvfb of its own (own-display.sh),
# since without a display Wine creates no windows (message boxes would not be real).
# Usage: in-prefix.sh NAME COMMAND [ARGUMENTS...]
# NAME names the copy. The build folder is VX_WINE_BUILD (default: build/windows).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"

name=${1:?usage: in-prefix.sh NAME COMMAND [ARGUMENTS...]}
shift
[ $# -gt 0 ] || { echo "usage: in-prefix.sh NAME COMMAND [ARGUMENTS...]" >&2; exit 2; }
build=$(realpath "${VX_WINE_BUILD:-build/windows}")
export VX_WINE_BUILD="$build"
vx_use_build "$build"

if [ -z "${VX_OWN_DISPLAY:-}" ]; then
    exec "$here/own-display.sh" "$0" "$name" "$@"
fi

base=$(vx_base_prefix "$build")
if [ ! -f "$base/system.reg" ]; then
    "$here/make-prefix.sh" "$build" >/dev/null
fi

# The copy: registry and small files for real, the large and never written system folders as
# hard links.
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
# The first Windows program of a prefix starts Wine's own background processes, which would
# inherit its standard output and keep a reader of it waiting; start them here, on nothing.
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

# Paths handed to Windows programs through the environment are given in Windows form.
if [ -n "${VARENTIS_ADDIN:-}" ]; then
    export VARENTIS_ADDIN=$(vx_windows_path "$VARENTIS_ADDIN")
fi
status=0
"$@" || status=$?
exit $status
