#!/usr/bin/env bash
# Screenshots of the add-in's dialogs as Windows shows them (the real DLL under Wine, through
# xlhost.exe), each cropped to its dialog, into OUT_DIR: one line below per picture.
# Installs x11-apps (xwd), imagemagick (convert) and fonts-liberation (a Times New Roman for Wine)
# when missing; `make test` never needs them.
# Usage: screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/env.sh"
. "$here/../imagemagick.sh"
build=$(realpath "${1:-$root/build/windows}")
out=$(realpath -m "${2:-$root/out/screenshots}")

if [ -z "${WINEPREFIX:-}" ]; then
    missing=()
    command -v xwd >/dev/null || missing+=(x11-apps)
    vx_imagemagick_convert >/dev/null || missing+=(imagemagick)
    [ -n "$(fc-list "Liberation Serif" family 2>/dev/null)" ] || missing+=(fonts-liberation)
    if [ ${#missing[@]} -gt 0 ]; then
        sudo=""
        if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
        echo "Installing: ${missing[*]}"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    VX_CONVERT=$(vx_imagemagick_convert) || { echo "screenshots.sh: ImageMagick's convert was not found" >&2; exit 1; }
    export VX_CONVERT
    # A run prefix made before its fonts were set up (make-prefix.sh) would show the dialogs cut
    # off or in other faces: Wine's MS Sans Serif, Tahoma without Wine's thin bold, Times New Roman.
    base=$(vx_base_prefix "$build")
    if [ ! -f "$base/drive_c/windows/Fonts/sserife.fon" ] || [ -f "$base/drive_c/windows/Fonts/tahomabd.ttf" ] ||
        ! grep -q '"Times New Roman"="Liberation Serif"' "$base/user.reg" 2>/dev/null; then
        "$here/make-prefix.sh" "$build"
    fi
    # Again inside a prefix of its own (and under Xvfb): one prefix for every picture.
    VX_WINE_BUILD="$build" exec "$here/in-prefix.sh" screenshots "$0" "$build" "$out"
fi

curve=$(vx_windows_path "$root/examples/curve.csv")
shot() { "$here/screenshot-dialog.sh" "$out/$1.png" "$2" "${@:3}"; }
shot chart_dialog_pt "Compara.* de Interpola.*" --lang pt chart "$curve" A1:B4 --out 'C:\chart.xlsx'
shot chart_dialog_en "Comparative Interpolation" --lang en chart "$curve" A1:B4 --out 'C:\chart.xlsx'
shot notice "Marvessa - Varentis - C.*lculos para Mercado de Capitais" notice
