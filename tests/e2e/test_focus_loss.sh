#!/usr/bin/env bash
# Under a window manager, keys reach the focused game while another client
# grabs the pointer. A key held as the game loses the focus and gets it back
# is no new press: Space held into the first cutscene does not turn it. A key
# held when the game loses focus does not stay held: Right down in level three
# as an xterm is brought in front, the trolley stops. Brought back, the game
# shows its picture again and Right pushes once more, and goes on pushing
# while held through another turn of the xterm.
source "$(dirname "$0")/lib.sh"

start_x
start_wm
start_xterm +0+0 20x4
start_game
wait_window
wait_title 15
full_screen || fail "the game is not full screen"

grab_pointer 2
tap Down
wait_pixel 312 445 "$WHITE" 3 exit-lit-grabbed
wait "$GRABBER" || fail "the pointer grab failed"
tap Up
wait_title 5

# X repeats the held Space as fresh presses once the game has the focus again.
hold space
wait_until 10 cut0 is_cutscene 0 0
xdotool windowactivate --sync "$XTERM_WINDOW"
sleep 0.3
xdotool windowactivate --sync "$WINDOW"
sleep 1
shot cut0-back
is_cutscene 0 0 cut0-back || fail "Space, held while the focus went and came back, turned the cutscene"
let_go space
sleep 0.3

# Through levels one and two as test_playthrough does.
tap space
wait_until 5 cut0b is_cutscene 0 1
tap space
wait_until 5 level1 is_level_one
win_level_one
win_level_two

hold Right
sleep 0.7
band pushing
xdotool windowactivate --sync "$XTERM_WINDOW"
let_go Right   # the release goes to the xterm
sleep 0.3
band away-1
same_band pushing away-1 && fail "the trolley did not move while Right was held"
sleep 1
band away-2
same_band away-1 away-2 || fail "the trolley kept rolling after focus left with Right held"
shows_area away-2 bg2.bmp 0 120 640 158 || fail "level three is no longer shown beside the xterm"

xdotool windowactivate --sync "$WINDOW"
sleep 0.3
band back
same_band away-2 back || fail "the trolley moved while nobody pushed"
is_level_three back || fail "the level's picture is not back"
hold Right
sleep 0.5
xdotool windowactivate --sync "$XTERM_WINDOW"
sleep 0.5
xdotool windowactivate --sync "$WINDOW"
wait_until 12 cut3 is_cutscene 3 0
let_go Right
echo "PASS"
