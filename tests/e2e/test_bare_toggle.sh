#!/usr/bin/env bash
# Without a window manager (a bare X server, a kiosk) full screen covers the
# whole screen, F11 makes a 1280x960 window of the game and F11 again covers
# the screen once more, the picture right each time and the scene untouched.
source "$(dirname "$0")/lib.sh"

covering() {
    [ "$(client_area)" = "0 0 1920 1080" ] && shows_cutscene_at 2 320 60 "$1" black
}

start_x 1920x1080
start_game
wait_window
tap space   # ends the intro
wait_pixel 944 910 "$WHITE" 10 title
tap space   # Start
wait_until 10 covering covering
tap F11
wait_until 5 window windowed_cutscene
tap F11
wait_until 5 covering-again covering
tap space   # the second picture
sleep 0.2
tap space   # level one
sleep 0.5
tap Escape  # back to the title menu
wait_pixel 944 910 "$WHITE" 10 title-again
tap Escape
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS"
echo "PASS"
