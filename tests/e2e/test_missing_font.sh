#!/usr/bin/env bash
# Without its font the game cannot show text: it says which file and ends with 1.
source "$(dirname "$0")/lib.sh"
start_x
cp -r "$NANNYDAY_DATA" "$WORK/data"
rm "$WORK/data/bmp/font.pcx"
start_game "$WORK/data"
wait_exit 20
[ "$STATUS" -eq 1 ] || fail "exit status $STATUS without the font, expected 1"
grep -q 'bmp/font.pcx' "$WORK/game.err" || fail "the message does not name bmp/font.pcx"
[ "$(grep -v -i -E 'alsa|^$' "$WORK/game.err" | wc -l)" -eq 1 ] || fail "expected one line of complaint"
echo "PASS"
