#!/usr/bin/env bash
# Without a window manager (a bare X server, a kiosk) full screen covers the
# whole screen, F11 makes a 1280x960 window of the game and F11 again covers
# the screen once more, the picture right each time and the scene untouched.
# A key let go of while the pointer is outside the window does not stay held;
# one held while the pointer leaves and comes back is no new press; keys
# reach the window under the pointer while another client grabs the pointer,
# and a window given the focus outright wherever the pointer is.
source "$(dirname "$0")/lib.sh"

covering() {
    [ "$(client_area)" = "0 0 1920 1080" ] && shows_cutscene_at 2 320 60 "$1" black
}

# The title menu in a 1280x960 window, Start or Exit ($2) highlighted, in screenshot $1.
windowed_title() {
    local x y w h
    read -r x y w h <<<"$(client_area)"
    [ "$w" = 1280 ] && [ "$h" = 960 ] && [ "$(pixel "$1" $((x + 624)) $((y + ${2:-850})))" = "$WHITE" ]
}
exit_lit() { windowed_title "$1" 890; }

start_x 1920x1080
start_game
wait_window
tap space   # ends the intro
wait_pixel 944 910 "$WHITE" 10 title

# Keys go to the window under the pointer. Down held in the window, the
# pointer taken out of it and Down let go there: the game must not go on
# taking Down as held, or the next press would not move the highlight.
tap F11
wait_until 5 title-window windowed_title
read -r x y _ <<<"$(client_area)"
hold Down
wait_until 5 exit-lit exit_lit
xdotool mousemove 100 1060   # below and left of the window
sleep 0.3
let_go Down
sleep 0.3
xdotool mousemove $((x + 640)) $((y + 480))
sleep 0.3
tap Down
wait_until 5 start-lit-again windowed_title
# X repeats a held key as fresh presses once keys come back to the window.
hold Down
wait_until 5 exit-lit-again exit_lit
xdotool mousemove 100 1060
sleep 0.3
xdotool mousemove $((x + 640)) $((y + 480))
sleep 1
shot held-back
exit_lit held-back || fail "Down, held while the pointer left and came back, moved the highlight again"
let_go Down
sleep 0.3
grab_pointer 2
tap Down
wait_until 3 start-lit-grabbed windowed_title
wait "$GRABBER" || fail "the pointer grab failed"
xdotool mousemove 100 1060
xdotool windowfocus --sync "$WINDOW"
sleep 0.3   # the game learns of it between frames
tap Down
wait_until 5 exit-lit-focused exit_lit
tap Down
wait_until 5 start-lit-focused windowed_title
tap F11
wait_pixel 944 910 "$WHITE" 5 title-covering
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
