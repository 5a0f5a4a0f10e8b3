#!/usr/bin/env bash
# The window's close button ends the game cleanly with status 0, as Exit does.
source "$(dirname "$0")/lib.sh"
start_x
start_game
wait_window
wait_pixel 5 0 "$STRIPE_EVEN" 5 intro
"$XPROBE" close "$WINDOW"
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after the close button"
echo "PASS"
