#!/usr/bin/env bash
# A whole run played with real keys: title, every cutscene, all three levels
# won, and back to the title menu, which Esc then leaves with status 0.
source "$(dirname "$0")/lib.sh"
start_x
start_game
wait_window
wait_title 15

start_run
win_level_one
win_level_two

# Level three: Right held pushes the trolley off the screen.
# It starts with only its right-most 62 columns on the screen.
shot_area_is level3 0 279 62 122 "$(data_sprite trolley.bmp 128 0 62 122 0 279 bg2.bmp)" ||
    fail "the trolley does not start at x = -128"
hold Right
sleep 3
shot level3-rolling
is_level_three level3-rolling || fail "level three ended too early"
wait_until 12 cut3 is_cutscene 3 0
let_go Right
tap space

wait_until 5 title-again is_title
tap Escape
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Esc on the title menu"
echo "PASS"
