#!/usr/bin/env bash
# Under a window manager on a 1366x768 laptop screen, where no whole number
# of 2 or more fits: full screen shows the frame sharply scaled to 1024x768,
# centred, every screen pixel that lies wholly inside one frame pixel of its
# colour. As a window the player can resize it: at 1000x700 the frame is
# 933x700, centred on black; Alt+Enter twice brings the window back at that
# size; the manager's maximise makes it larger, the frame following.
source "$(dirname "$0")/lib.sh"

# The cutscene's first picture fitted to the whole screen, or to the window's client area.
fitted_full() { full_screen && shows_fitted "$1" 0-0.bmp 0 0 1366 768; }
fitted_window() {
    full_screen && return 1
    local x y w h
    read -r x y w h <<<"$(client_area)"
    [ -z "${2:-}" ] || [ "${w}x$h" = "$2" ] || return 1
    shows_fitted "$1" 0-0.bmp "$x" "$y" "$w" "$h"
}
sized() { fitted_window "$1" 1000x700; }

start_x 1366x768
start_wm
start_game
wait_window
tap space   # ends the intro
sleep 1
tap space   # Start
wait_until 10 full fitted_full
alt_enter
wait_until 5 window fitted_window
xdotool windowsize "$WINDOW" 1000 700
wait_until 5 resized sized
read -r x y _ <<<"$(client_area)"
frame=$(shows_fitted resized 0-0.bmp "$x" "$y" 1000 700)
[ "$frame" = "frame 933x700 at +$((x + 33))+$y" ] || [ "$frame" = "frame 933x700 at +$((x + 34))+$y" ] ||
    fail "in the 1000x700 window at +$x+$y: $frame"
alt_enter
wait_until 5 full-again fitted_full
alt_enter
wait_until 5 resized-again sized
wmctrl -i -r "$WINDOW" -b add,maximized_vert,maximized_horz
maximised() {
    local w h
    read -r _ _ w h <<<"$(client_area)"
    [ "$w" -gt 1000 ] && [ "$h" -gt 700 ] && fitted_window "$1"
}
wait_until 5 maximised maximised
wmctrl -i -c "$WINDOW"
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after the manager's close"
echo "PASS"
