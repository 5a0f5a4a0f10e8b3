#!/usr/bin/env bash
# Start leads to the first cutscene: Space shows its second picture, and the
# next Space goes on to level one. Each picture is checked against its own data
# file, pixel for pixel. Esc then leaves level one and the title menu.
source "$(dirname "$0")/lib.sh"

start_x
start_game
wait_window
tap space   # ends the intro
wait_title 10
sleep 0.2   # the menu has seen every key up

tap space   # Start
wait_until 10 cutscene0_first is_cutscene 0 0
tap space
wait_until 5 cutscene0_second is_cutscene 0 1
tap space
wait_until 5 level_one is_level_one
tap Escape
wait_title 10
tap Escape
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Esc on the title menu"
echo "PASS"
