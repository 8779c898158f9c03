#!/usr/bin/env bash
# A screenshot of one of the add-in's real dialogs under Wine, cropped to the dialog, for a
# person to look at: xlhost.exe runs with the dialog kept on screen for a few seconds
# (VARENTIS_DIALOG_PAUSE_MS), and the screen is captured while it is up, cut to the dialog.
# Runs inside a prefix (in-prefix.sh, which sets VX_WINE_BUILD) under an X display with xwd
# (x11-apps) and ImageMagick's convert (VX_CONVERT); scripts/wine/screenshots.sh provides all three.
# Usage: screenshot-dialog.sh OUT.png CAPTION_PATTERN XLHOST_ARGUMENTS...
# CAPTION_PATTERN is an extended regular expression that the dialog's caption matches.
set -euo pipefail
out=$(realpath -m "${1:?usage: screenshot-dialog.sh OUT.png CAPTION_PATTERN XLHOST_ARGUMENTS...}")
caption=${2:?usage: screenshot-dialog.sh OUT.png CAPTION_PATTERN XLHOST_ARGUMENTS...}
shift 2
: "${VX_WINE_BUILD:?run inside scripts/wine/in-prefix.sh}"
: "${VX_CONVERT:?the ImageMagick convert to run (scripts/wine/screenshots.sh sets it)}"
mkdir -p "$(dirname "$out")"

VARENTIS_DIALOG_PAUSE_MS=5000 wine "$VX_WINE_BUILD/bin/xlhost.exe" "$@" >/dev/null 2>&1 &
host=$!
window=""
for _ in $(seq 1 120); do
    window=$(xwininfo -root -tree | grep -E "^ *0x[0-9a-f]+ \"$caption\":" | awk '{print $1}' | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.25
done
if [ -z "$window" ]; then
    wait $host || true
    echo "screenshot-dialog.sh: no window captioned /$caption/ appeared" >&2
    exit 1
fi
sleep 1  # painted
# The screen cut to the window's rectangle: what a person sees there, frame and caption included.
geometry=$(xwininfo -id "$window" | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { printf "%dx%d+%d+%d", w, h, x, y }')
xwd -root -silent >"$out.xwd"
wait $host || true
"$VX_CONVERT" "$out.xwd" -crop "$geometry" +repage -strip "PNG24:$out"
rm -f "$out.xwd"
echo "$out"
