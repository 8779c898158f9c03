#!/usr/bin/env bash
# A screenshot of the add-in's real chart dialog under Wine, for a person to look at: xlhost.exe
# runs the chart command on the demo curve with the dialog kept on screen for a few seconds
# (VARENTIS_DIALOG_PAUSE_MS), and the whole Xvfb screen is captured while it is up.
# Installs x11-apps (xwd) and imagemagick (convert) when missing; `make test` never needs them.
# Usage: screenshot-dialog.sh [BUILD_DIR] [OUT.png] [pt|en]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(realpath "${1:-$root/build/windows}")
out=$(realpath -m "${2:-$root/out/dialog.png}")
lang=${3:-pt}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$out" "$lang"
fi
missing=()
command -v xwd >/dev/null || missing+=(x11-apps)
convert -version 2>/dev/null | grep -q ImageMagick || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi
mkdir -p "$(dirname "$out")"
export VX_WINE_BUILD="$build" VARENTIS_DIALOG_PAUSE_MS=5000
export VX_SHOT_OUT="$out" VX_SHOT_LANG="$lang" VX_SHOT_CURVE="$root/examples/curve.csv"
# Inside a prefix of its own: start the chart command, wait for the dialog's X window, capture.
"$here/in-prefix.sh" screenshot bash -c '
    set -euo pipefail
    wine "$VX_WINE_BUILD/bin/xlhost.exe" --lang "$VX_SHOT_LANG" chart "$(winepath -w "$VX_SHOT_CURVE")" A1:B4 \
        --out "C:\\chart.xlsx" >/dev/null 2>&1 &
    host=$!
    for _ in $(seq 1 120); do
        if xwininfo -root -tree | grep -qE "(Comparative Interpolation|Compara.* de Interpola)"; then break; fi
        sleep 0.25
    done
    sleep 1  # painted
    xwd -root -silent > "$VX_SHOT_OUT.xwd"
    wait $host || true
    convert "$VX_SHOT_OUT.xwd" "$VX_SHOT_OUT"
    rm -f "$VX_SHOT_OUT.xwd"
'
echo "$out"
