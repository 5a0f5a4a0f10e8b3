#!/usr/bin/env bash
# `cmake --install` gives a tree whose game finds its data from any directory.
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
echo "PASS"
