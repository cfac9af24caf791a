#!/usr/bin/env bash
# Draws modules/img/logo.ico (16, 32 and 48 pixels): a blue ring with a notch on a dark rounded square.
set -euo pipefail
out="${1:-$(dirname "$0")/../../modules/img/logo.ico}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 48x48 xc:none \
    -fill '#1a1a1a' -draw 'roundrectangle 1,1 46,46 9,9' \
    -fill none -stroke '#229bd0' -strokewidth 6 -draw 'arc 10,10 38,38 50,310' \
    -stroke none -fill '#ffffff' -draw 'circle 24,24 24,20' \
    "$tmp/logo48.png"
convert "$tmp/logo48.png" -resize 32x32 "$tmp/logo32.png"
convert "$tmp/logo48.png" -resize 16x16 "$tmp/logo16.png"
convert "$tmp/logo16.png" "$tmp/logo32.png" "$tmp/logo48.png" "$out"
