#!/usr/bin/env bash
# The credit screen gives way to the title menu by itself after about four
# seconds, and at once on a key or a left click; a right click does nothing.
# Whichever way it ends, the pointer is left at (400, 200).
source "$(dirname "$0")/lib.sh"

# The credit line on screenshot $1: only its two colours, top at y = 200,
# centred on x = 320, with stripes everywhere around it.
check_credit_line() {
    convert "$SHOTS/$1.png" -crop 640x60+0+180 -depth 8 txt:- | awk -F'[,:() ]+' -v top=180 '
        NR > 1 {
            x = $1; y = $2 + top; c = $3 "," $4 "," $5
            want = (y % 2 == 0) ? "58,178,211" : "157,79,108"
            if (c == want) next
            if (c != "170,211,58" && c != "211,140,58") { print "stray colour " c " at " x "," y; bad = 1 }
            if (n == 0 || x < l) l = x; if (x > r) r = x
            if (n == 0 || y < t) t = y; if (y > b) b = y
            n++
        }
        END {
            if (n == 0) { print "no credit line"; exit 1 }
            w = r - l + 1
            printf "credit line: x %d..%d, y %d..%d\n", l, r, t, b
            if (t != 200) { print "top is not at y = 200"; bad = 1 }
            if (l != 320 - int(w / 2)) { print "not centred on x = 320"; bad = 1 }
            exit bad
        }' || fail "credit line wrong on $1"
}

leave_from_title() {
    tap Escape
    wait_exit 10
    [ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Esc on the title menu"
}

# The intro's first frame: its top row is the even stripe colour. Looked for
# from the moment the game starts, to time the intro from its beginning. The
# window covers the whole screen, so keys and clicks reach it at once.
intro_up() {
    start_game
    watch_pixel 5 0 "$STRIPE_EVEN" 15
    INTRO_AT=$(now)
}

# Waits for the title menu after an input given at $1; checks it came at once,
# before the intro could have ended by itself (4 s after it began; 3.7 s leaves room for timing noise).
title_at_once() {
    watch_pixel 312 425 "$WHITE" 5
    local took early
    took=$(seconds_since "$1")
    early=$(seconds_since "$INTRO_AT")
    echo "the title came $took s after $2, $early s into the intro"
    below "$took" 2 || fail "$2 did not end the intro at once ($took s)"
    below "$early" 3.7 || fail "the intro may have ended by itself ($early s)"
}

# The pointer is moved as the intro ends; X carries out the move a little later.
pointer_left_at_400_200() {
    for _ in $(seq 30); do
        [ "$(pointer)" = "400,200" ] && return 0
        sleep 0.1
    done
    fail "pointer at $(pointer) after $1, not 400,200"
}

start_x

# By itself.
intro_up
shot intro
check_credit_line intro
watch_pixel 312 425 "$WHITE" 15
took=$(seconds_since "$INTRO_AT")
echo "with no input the title came $took s after the intro began"
below 3.5 "$took" || fail "the intro ended too early ($took s)"
below "$took" 8 || fail "the intro lasted too long ($took s)"
pointer_left_at_400_200 "the intro"
leave_from_title

# A key.
intro_up
pressed=$(now)
tap a
title_at_once "$pressed" "a key"
pointer_left_at_400_200 "a key"
leave_from_title

# A right click does nothing; a left click ends the intro.
intro_up
xdotool mousedown 3
sleep 0.1
xdotool mouseup 3
sleep 0.2
"$XPROBE" wait 312 425 "$STRIPE_ODD" 0 || fail "a right click ended the intro"
pressed=$(now)
click
title_at_once "$pressed" "a left click"
pointer_left_at_400_200 "a click"
leave_from_title
echo "PASS"
