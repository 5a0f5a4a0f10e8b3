#!/usr/bin/env bash
# A whole run played with real keys: title, every cutscene, all three levels
# won, and back to the title menu, which Esc then leaves with status 0.
source "$(dirname "$0")/lib.sh"
start_x
start_game
wait_window
wait_title 15

tap space
wait_until 10 cut0 is_cutscene 0 0
tap space
wait_until 5 cut0b is_cutscene 0 1
tap space

# Level one: with the nanny held up and to the left the child can only flee
# down and right, along the bottom edge into the goal corner.
wait_until 5 level1 is_level_one
hold Up
hold Left
sleep 1
shot level1-herding
is_level_one level1-herding || fail "level one left too early"
child_home() { shot_area_is "$1" 417 288 32 32 "$(data_sprite img1.bmp 0 0 32 32 417 288 bg0.bmp)"; }
wait_until 15 level1-won child_home
let_go Up
let_go Left
wait_until 6 cut1 is_cutscene 1 0
tap space

# Level two: each question is answered by holding the key its middle icon
# calls for (Down for the lower picture, Up for the upper) until the third
# icon shows the answer.
wait_until 5 level2 is_level_two
for n in 1 2 3 4 5; do
    asking() {
        local m
        m=$(icon_state "$1" 1)
        [ "$m" = "-1" ] || [ "$m" = "1" ] || return 1
        [ "$(icon_state "$1" 2)" = "0" ]
    }
    wait_until 10 "level2-q$n" asking
    if [ "$(icon_state "level2-q$n" 1)" = "1" ]; then k=Down want=-1; else k=Up want=1; fi
    hold "$k"
    answered() { [ "$(icon_state "$1" 2)" != "0" ]; }
    wait_until 5 "level2-a$n" answered
    let_go "$k"
    got=$(icon_state "level2-a$n" 2)
    [ "$got" = "$want" ] || fail "answer $n: $k held, third icon shows $got"
    echo "question $n answered with $k"
done
wait_until 6 cut2 is_cutscene 2 0
tap space

# Level three: Right held pushes the trolley off the screen.
wait_until 5 level3 is_level_three
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
