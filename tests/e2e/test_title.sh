#!/usr/bin/env bash
# The title menu with real keys: Down and Up move the highlight, Space on Exit
# ends the program with status 0, but only after the closing countdown.
source "$(dirname "$0")/lib.sh"
PLAIN_BG="211,140,58"

start_x
start_game
wait_window
tap space   # ends the intro
wait_title 10
sleep 0.2   # the menu has seen every key up
[ "$(pixel title 312 445)" = "$PLAIN_BG" ] || fail "Exit is not drawn plain under a highlighted Start"

tap Down
wait_pixel 312 445 "$WHITE" 5 exit_lit
[ "$(pixel exit_lit 312 425)" = "$PLAIN_BG" ] || fail "Start still highlighted after Down"
tap Up
wait_pixel 312 425 "$WHITE" 5 start_lit_again
tap Down
wait_pixel 312 445 "$WHITE" 5 exit_lit_again

chosen=$(now)
tap space
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its closing countdown"
wait_exit 10
took=$(seconds_since "$chosen")
echo "the game ended $took s after Space on Exit"
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after choosing Exit"
below 1.0 "$took" || fail "the game ended too soon after Space ($took s)"
echo "PASS"
