#!/usr/bin/env bash
# Renders a saved workbook to a PNG for a person to look at: LibreOffice headless turns the
# .xlsx into a PDF (the visible sheets, one page each), pdftoppm turns the first page into a PNG,
# and ImageMagick cuts the page's white margins away, leaving the chart.
# Installs LibreOffice Calc (without its GUI), poppler-utils and ImageMagick when missing.
# Usage: render_chart.sh BOOK.xlsx OUT.png
set -euo pipefail
. "$(dirname "$0")/imagemagick.sh"

book=${1:?usage: render_chart.sh BOOK.xlsx OUT.png}
png=${2:?usage: render_chart.sh BOOK.xlsx OUT.png}

missing=()
command -v soffice >/dev/null 2>&1 || missing+=(libreoffice-calc-nogui)
command -v pdftoppm >/dev/null 2>&1 || missing+=(poppler-utils)
vx_imagemagick_convert >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

convert=$(vx_imagemagick_convert) || { echo "render_chart.sh: ImageMagick's convert was not found" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A private profile, so that a LibreOffice already running for the user does not take the job.
soffice --headless -env:UserInstallation=file://"$work"/profile --convert-to pdf --outdir "$work" "$book" >/dev/null
pdf="$work/$(basename "${book%.*}").pdf"
[ -s "$pdf" ] || { echo "render_chart.sh: LibreOffice wrote no PDF for $book" >&2; exit 1; }
pdftoppm -png -r 110 -f 1 -l 1 -singlefile "$pdf" "$work/page"
"$convert" "$work/page.png" -trim +repage "PNG24:$png"
echo "$png"
