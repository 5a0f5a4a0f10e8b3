#!/usr/bin/env bash
# Under a window manager, a key held when the game loses focus does not stay
# held: Right down in level three as an xterm is brought in front, the trolley
# stops. Brought back, the game shows its picture again and Right pushes once
# more.
source "$(dirname "$0")/lib.sh"

start_x
start_wm
start_xterm +0+0 20x4
start_game
wait_window
wait_title 15
full_screen || fail "the game is not full screen"

# Through levels one and two as test_playthrough does.
start_run
win_level_one
win_level_two

# The trolley's band of the screen, below the xterm.
band() { convert "$SHOTS/$1.png" -crop 640x122+0+279 +repage -alpha off "$WORK/band-$1.png"; }
same_band() { [ "$(compare -metric AE "$WORK/band-$1.png" "$WORK/band-$2.png" null: 2>&1)" = "0" ]; }

hold Right
sleep 0.7
shot pushing
band pushing
xdotool windowactivate --sync "$XTERM_WINDOW"
let_go Right   # the release goes to the xterm
sleep 0.3
shot away-1
band away-1
same_band pushing away-1 && fail "the trolley did not move while Right was held"
sleep 1
shot away-2
band away-2
same_band away-1 away-2 || fail "the trolley kept rolling after focus left with Right held"
shows_area away-2 bg2.bmp 0 120 640 158 || fail "level three is no longer shown beside the xterm"

xdotool windowactivate --sync "$WINDOW"
sleep 0.3
shot back
band back
same_band away-2 back || fail "the trolley moved while nobody pushed"
is_level_three back || fail "the level's picture is not back"
hold Right
wait_until 12 cut3 is_cutscene 3 0
let_go Right
echo "PASS"
