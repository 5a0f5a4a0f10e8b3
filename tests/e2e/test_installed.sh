#!/usr/bin/env bash
# `cmake --install` gives a tree whose game finds its data from any directory,
# the data of its own layout first.
source "$(dirname "$0")/lib.sh"
: "${NANNYDAY_BUILD:?}"
cmake --install "$NANNYDAY_BUILD" --prefix "$WORK/prefix" >/dev/null
for f in bin/nannyday share/nannyday/bmp/font.pcx share/nannyday/wav/good.wav share/nannyday/xm/int.xm \
         share/applications/nannyday.desktop share/icons/hicolor/64x64/apps/nannyday.png share/man/man6/nannyday.6 \
         share/metainfo/org.nannyday.nannyday.metainfo.xml; do
    [ -e "$WORK/prefix/$f" ] || fail "not installed: $f"
done
grep -q '^Categories=Game;' "$WORK/prefix/share/applications/nannyday.desktop" || fail "desktop entry is not a game"
start_x
play_installed "$WORK/prefix/bin/nannyday"

# The games layout in the same prefix, beside an older tree of the other one
# (short of a picture, which the game would name): the binary in games/ takes
# share/games/nannyday.
mkdir -p "$WORK/prefix/games" "$WORK/prefix/share/games"
cp "$WORK/prefix/bin/nannyday" "$WORK/prefix/games/"
cp -r "$WORK/prefix/share/nannyday" "$WORK/prefix/share/games/"
rm "$WORK/prefix/share/nannyday/bmp/title.bmp"
play_installed "$WORK/prefix/games/nannyday"
echo "PASS"
