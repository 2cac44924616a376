#!/bin/sh
# Regenerates every PNG and the ICO in this folder from their sources: the SVG drawings and the
# qrencode commands below. The build never runs this; the outputs are committed.
#
# Needs these Debian packages:
#   librsvg2-bin       rsvg-convert, SVG -> PNG
#   qrencode           the QR codes
#   icoutils           icotool, PNGs -> tolvane.ico
#   fonts-dejavu-core  DejaVu Sans, the only font used (the two payment badges)
# Optional:
#   optipng            shrinks the PNGs losslessly when present
#
# Usage: sh resources/render.sh   (from anywhere)
set -eu
cd "$(dirname "$0")"

for tool in rsvg-convert qrencode icotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "render.sh: $tool not found" >&2; exit 1; }
done

svg() { # svg SOURCE OUTPUT [WIDTH HEIGHT]
    mkdir -p "$(dirname "$2")"
    if [ $# -ge 4 ]; then rsvg-convert -w "$3" -h "$4" "$1" -o "$2"; else rsvg-convert "$1" -o "$2"; fi
}

qr() { # qr OUTPUT MODULE_PIXELS LEVEL TEXT   (quiet zone of 4 modules)
    mkdir -p "$(dirname "$1")"
    qrencode -t PNG -l "$3" -m 4 -s "$2" -o "$1" "$4"
}

# Program icon, one PNG per size in the hicolor layout.
icon_sizes="16 22 24 32 48 64 128 256"
for n in $icon_sizes; do
    svg tolvane.svg "icons/hicolor/${n}x${n}/apps/tolvane.png" "$n" "$n"
done

# Windows icon: 16..128 as bitmaps, 256 stored as PNG.
icotool -c -o tolvane.ico \
    icons/hicolor/16x16/apps/tolvane.png \
    icons/hicolor/24x24/apps/tolvane.png \
    icons/hicolor/32x32/apps/tolvane.png \
    icons/hicolor/48x48/apps/tolvane.png \
    icons/hicolor/64x64/apps/tolvane.png \
    icons/hicolor/128x128/apps/tolvane.png \
    -r icons/hicolor/256x256/apps/tolvane.png

# About dialog.
svg about/program.svg about/program.png 128 128
# The same picture for screens with two device pixels to the point; the dialog draws it there.
svg about/program.svg about/program@2x.png 256 256
svg about/thanks.svg about/thanks.png
qr about/wechat-qr.png 9 Q "http://www.example.org/?wechat=tolvane-placeholder"

# Donation dialog.
svg donation/pay-left.svg donation/pay-left.png
svg donation/pay-right.svg donation/pay-right.png
qr donation/qr-left.png 11 Q "http://www.example.org/?page_id=20&pay=a"
qr donation/qr-right.png 18 M "http://www.example.org/?page_id=20&pay=b"

if command -v optipng >/dev/null 2>&1; then
    find . -name '*.png' -exec optipng -quiet -o5 -strip all {} +
fi
echo "render.sh: done"
