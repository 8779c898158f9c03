#!/usr/bin/env bash
# Makes the Wine prefix of one test run under the build folder: BUILD/wine/prefix.
# wineboot takes a while, so it runs once; each suite gets a copy (run-suite.sh) and never
# changes the prefix itself. With --keep, a prefix made by this very script for the same Wine,
# the same kind of prefix and the same fonts is kept for the next run as it is.
# Usage: make-prefix.sh [--keep] BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"

keep=0
if [ "${1:-}" = --keep ]; then keep=1; shift; fi
build=$(realpath "${1:?usage: make-prefix.sh [--keep] BUILD_DIR}")
vx_use_build "$build"
prefix=$(vx_base_prefix "$build")
# What the prefix is made of: this script, Wine's version, the kind of prefix, the fonts.
made_of=$(printf '%s\n' "$(cksum <"$here/make-prefix.sh")" "$(wine --version 2>&1)" "$WINEARCH" \
          "$(ls /usr/share/wine/fonts 2>/dev/null | cksum)" "$(fc-list "Liberation Serif" family 2>/dev/null | head -n 1)" | cksum)
if [ $keep -eq 1 ] && [ -z "${VX_OWN_DISPLAY:-}" ] && [ "$(cat "$prefix/.made-of" 2>/dev/null)" = "$made_of" ]; then
    rm -rf "$build/wine/suites"
    echo "Wine prefix kept: $prefix"
    exit 0
fi
rm -rf "$prefix" "$build/wine/suites"
mkdir -p "$(dirname "$prefix")"

export WINEPREFIX="$prefix"
# Without a display wineboot still works; under Xvfb it behaves as it will in the suites.
if [ -z "${VX_OWN_DISPLAY:-}" ]; then
    exec "$here/own-display.sh" "$0" "$@"
fi
wineboot -i >/dev/null 2>&1
# A virtual desktop: Wine then manages its windows itself instead of waiting (about two seconds
# a window) for a window manager that Xvfb does not have.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# Wine's own fonts (Debian fonts-wine) into the prefix's font folder: Wine 8 as Debian ships it
# never looks for them in its data folder, and would draw "MS Sans Serif" with a wider TrueType
# face (DejaVu Sans, or Liberation Sans once installed), cutting off the text of labels sized for
# the real font. Wine's MS Sans Serif (sserife.fon, a bitmap font) has the Windows font's metrics;
# Tahoma serves "MS Shell Dlg", and Marlett draws the title-bar buttons. Wine's "Tahoma Bold"
# (tahomabd.ttf) has the regular face's thin strokes: without it Wine emboldens Tahoma itself,
# which looks bold as Windows draws it.
if [ -d /usr/share/wine/fonts ]; then
    for font in /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf; do
        [ "$(basename "$font")" = tahomabd.ttf ] || cp "$font" "$prefix/drive_c/windows/Fonts/"
    done
fi
# Times New Roman (the install notice's terms) is not among Wine's fonts: Liberation Serif (Debian
# fonts-liberation, which `make screenshots` installs) has its metrics. Without it Wine takes a
# sans-serif face, and the terms wrap differently from Windows.
if [ -n "$(fc-list "Liberation Serif" family 2>/dev/null)" ]; then
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1
fi
wineserver -w
# The prefix's own marker of a running server is not part of it.
rm -f "$prefix/wineserver"
echo "$made_of" >"$prefix/.made-of"
echo "Wine prefix ready: $prefix"
