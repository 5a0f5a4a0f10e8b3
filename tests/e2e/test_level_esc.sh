#!/usr/bin/env bash
# Esc leaves a level for the title menu; an Esc still held from the cutscene
# before a level does nothing there until it is let go and pressed again.
source "$(dirname "$0")/lib.sh"
start_x
start_game
wait_window
wait_title 15

to_level_one() {
    tap space
    wait_until 10 "cut0-$1" is_cutscene 0 0
    tap space
    wait_until 5 "cut0b-$1" is_cutscene 0 1
    tap space
    wait_until 5 "level1-$1" is_level_one
}

to_level_one first
tap Escape
wait_until 5 title-after-level1 is_title

# Level one again, won this time, then Esc turns cutscene 1's picture and is
# kept down into level two.
to_level_one second
hold Up
hold Left
wait_until 15 level1-won is_cutscene 1 0
let_go Up
let_go Left
hold Escape
wait_until 5 level2 is_level_two
sleep 1.5
shot level2-esc-held
is_level_two level2-esc-held || fail "a held-over Esc left level two"
let_go Escape
sleep 0.5
shot level2-esc-up
is_level_two level2-esc-up || fail "letting Esc go left level two"
tap Escape
wait_until 5 title-after-level2 is_title

tap Escape
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Esc on the title menu"
echo "PASS"
