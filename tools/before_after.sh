#!/usr/bin/env bash
# Puts every picture of the game, as revision REV had it and as the working
# tree has it now, side by side in one sheet: docs/before-after.png.
# Usage: tools/before_after.sh [REV]   (default: main)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
REV=${1:-main}
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$TMP/before" "$TMP/after" "$TMP/cells"

convert -size 1x2 xc:'rgb(58,178,211)' -fill 'rgb(157,79,108)' -draw 'point 0,1' "$TMP/stripe.png"
convert -size 640x480 tile:"$TMP/stripe.png" "$TMP/stripes.png"

# One picture made ready to look at: masked ones laid on what the game shows
# under them, small ones enlarged, everything fitted into a 320x240 cell.
cell() {
    local file=$1 name=$2 out=$3
    case $name in
    title.bmp) convert "$TMP/stripes.png" \( "$file" -transparent '#ff00ff' \) -composite "$out.png" ;;
    img1.bmp | img2.bmp) convert "$file" -transparent '#ff00ff' -background 'rgb(138,204,100)' -flatten -scale 600% "$out.png" ;;
    trolley.bmp | l2sprites.bmp) convert "$file" -transparent '#ff00ff' -background 'rgb(236,226,204)' -flatten "$out.png" ;;
    font.pcx) convert "$file" -scale 200% "$out.png" ;;
    *) convert "$file" "$out.png" ;;
    esac
    convert "$out.png" -resize 320x240 -background 'rgb(40,34,40)' -gravity center -extent 320x240 "$out.png"
}

pictures="title.bmp 0-0.bmp 0-1.bmp bg0.bmp img1.bmp img2.bmp 1-0.bmp bg1.bmp l2sprites.bmp 2-0.bmp bg2.bmp trolley.bmp 3-0.bmp font.pcx"
rows=()
for name in $pictures; do
    git -C "$ROOT" show "$REV:data/bmp/$name" > "$TMP/before/$name"
    cell "$TMP/before/$name" "$name" "$TMP/cells/$name-before"
    cell "$ROOT/data/bmp/$name" "$name" "$TMP/cells/$name-after"
    convert -background 'rgb(40,34,40)' -fill white -font DejaVu-Sans -pointsize 15 \
        -size 120x240 -gravity center caption:"$name" "$TMP/cells/$name-label.png"
    convert "$TMP/cells/$name-label.png" "$TMP/cells/$name-before.png" "$TMP/cells/$name-after.png" \
        -bordercolor 'rgb(40,34,40)' -border 4 +append "$TMP/cells/$name-row.png"
    rows+=("$TMP/cells/$name-row.png")
done
# Two pictures a row, under a heading.
pairs=()
for ((i = 0; i < ${#rows[@]}; i += 2)); do
    convert "${rows[$i]}" "${rows[$((i + 1))]}" +append "$TMP/pair-$i.png"
    pairs+=("$TMP/pair-$i.png")
done
convert -background 'rgb(40,34,40)' -fill white -font DejaVu-Sans -pointsize 20 -size 1552x40 -gravity center \
    caption:"Every picture: before ($REV) on the left, after on the right" "$TMP/head.png"
convert "$TMP/head.png" "${pairs[@]}" -append -strip -depth 8 "$ROOT/docs/before-after.png"
echo "$ROOT/docs/before-after.png"
