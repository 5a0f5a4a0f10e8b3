#!/usr/bin/env bash
# On desktops where a whole number nearly fills the screen (at least 85 % of
# the largest 4:3 width), the frame is scaled by it: the first cutscene
# picture, scaled and centred, matches its data file pixel for pixel, and
# everything around it is black, with no pointer showing there either.
source "$(dirname "$0")/lib.sh"

# Cutscene picture 0-0 at $1 times its size, its corner at ($2, $3), on an
# otherwise black screen, in screenshot $4.
shows_scaled_cutscene() { shows_cutscene_at "$1" "$2" "$3" "$4" black; }

# Desktop, scale, and where the frame's corner lands.
for setup in "1920x1080 2 320 60" "720x540 1 40 30"; do
    read -r size k x y <<<"$setup"
    start_x "$size"
    start_game
    wait_window
    xdotool mousemove 2 2   # over the black border
    probe=$("$XPROBE" cursor)
    [[ "$probe" == *" visible=0" ]] || fail "the host pointer shows beside the picture on $size: $probe"
    xdotool mousemove 320 240
    tap space   # ends the intro
    wait_pixel $((x + 312 * k)) $((y + 425 * k)) "$WHITE" 10 "title-$size"
    sleep 0.2   # the menu has seen every key up
    tap space   # Start
    wait_until 10 "cutscene-$size" shows_scaled_cutscene "$k" "$x" "$y"
    tap space   # the second picture
    sleep 0.2
    tap space   # level one
    sleep 0.5
    tap Escape  # back to the title menu
    wait_pixel $((x + 312 * k)) $((y + 425 * k)) "$WHITE" 10 "title-again-$size"
    tap Escape
    wait_exit 10
    [ "$STATUS" -eq 0 ] || fail "exit status $STATUS on $size"
    stop_x
done
echo "PASS"
