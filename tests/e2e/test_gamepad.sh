#!/usr/bin/env bash
# Played with gamepads instead of keys, through stand-in joydev nodes (FIFOs
# the game is pointed to by the preloaded fakepad library): an Xbox-style pad
# (Back 6) and a PlayStation-style one (Start 9, Back 8), the D-pad
# as hat axes 6 and 7 on both. The first run goes the whole road to level
# three with both pads, plugged in and pulled out on the way; the second,
# under a window manager, skips the intro, finds the pad ignored while
# another window has the focus, and names a barred pad once.
source "$(dirname "$0")/lib.sh"
: "${FAKEPAD:?}"

PADS="$WORK/pads"
mkdir -p "$PADS"
export FAKEPAD_DIR="$PADS"
SOUTH=0 EAST=1 NORTH=2 STICK_X=0 STICK_Y=1 HAT_X=6 HAT_Y=7
declare -A START_OF=([ps]=9) BACK_OF=([xbox]=6 [ps]=8)
declare -A LAYOUT

# plug N LAYOUT: pad N appears, a writer kept open on it (descriptor 10 + N).
plug() {
    LAYOUT[$1]=$2
    echo "$2" >"$PADS/js$1.layout"
    mkfifo "$PADS/js$1"
    eval "exec $((10 + $1))<>\"$PADS/js$1\""
}
# unplug N: pad N is pulled out; the game's next read fails with ENODEV.
unplug() {
    rm -f "$PADS/js$1"
    eval "exec $((10 + $1))>&-"
}
# send N TYPE NUMBER VALUE: one struct js_event (time, value, type, number).
send() {
    local v=$(($4 & 0xffff))
    printf "$(printf '\\x00\\x00\\x00\\x00\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8)) "$2" "$3")" >&$((10 + $1))
}
button() { send "$1" 1 "$2" "$3"; }
axis() { send "$1" 2 "$2" "$3"; }
# A press and its release, each long enough for the 30 Hz logic to see.
press() {
    button "$1" "$2" 1
    sleep 0.3
    button "$1" "$2" 0
    sleep 0.2
}

# The road's keys played on pad $KEYPAD: arrows on its stick or its D-pad
# ($ARROWS), Space on the south button, Esc on the east one.
KEYPAD=0 ARROWS=stick
pad_key() {
    local x=$STICK_X y=$STICK_Y
    [ "$ARROWS" = dpad ] && x=$HAT_X y=$HAT_Y
    case $1 in
    Up) axis "$KEYPAD" "$y" $((-$2)) ;;
    Down) axis "$KEYPAD" "$y" "$2" ;;
    Left) axis "$KEYPAD" "$x" $((-$2)) ;;
    Right) axis "$KEYPAD" "$x" "$2" ;;
    space) button "$KEYPAD" "$SOUTH" $(($2 != 0)) ;;
    Escape) button "$KEYPAD" "$EAST" $(($2 != 0)) ;;
    *) fail "no pad control for $1" ;;
    esac
}
hold() { pad_key "$1" 32767; }
let_go() { pad_key "$1" 0; }
tap() {
    hold "$1"
    sleep "${2:-0.3}"
    let_go "$1"
}

exit_highlighted() { [ "$(pixel "$1" 312 445)" = "$WHITE" ]; }
start_highlighted() { is_title "$1" && ! exit_highlighted "$1"; }
# Nothing happens for a while: the game still runs and shows what $1 checks.
stays() {
    sleep "${3:-0.6}"
    shot "$2"
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended at $2"
    "$1" "$2" || fail "the screen changed at $2"
}
nanny_gone_from_start() { shows_area "$1" bg0.bmp 342 229 32 32; }
game_noise() { grep -v -i -E 'alsa|^$' "$WORK/game.err" || true; }

# --- One: the road, with both layouts --------------------------------------
start_x
plug 0 xbox
# What joydev says first: the pad's state as it is opened, South held. It is
# no press, and nor is its release.
send 0 $((0x81)) $SOUTH 1
LD_PRELOAD="$FAKEPAD" start_game
wait_window
wait_intro 15
button 0 $SOUTH 0
sleep 1
shot intro-held
region_has 150 200 340 12 intro-held "211,140,58" || fail "a button held at opening ended the intro"
pressed=$(now)
press 0 $NORTH
wait_until 3 title start_highlighted
within "$(seconds_since "$pressed")" 2 || fail "the intro was not cut short by a button"

# A pad plugged in now is used within 2 s: its D-pad moves the highlight.
plug 1 ps
plugged=$(now)
axis 1 $HAT_Y 32767
watch_pixel 312 445 "$WHITE" 4
took=$(seconds_since "$plugged")
within "$took" 2 || fail "the pad plugged in was used only after $took s"
echo "pad plugged in at the title used after $took s"
axis 1 $HAT_Y 0
axis 0 $HAT_Y -32767
wait_until 3 xbox-dpad-up start_highlighted
axis 0 $HAT_Y 0
# The east button does nothing on the title menu.
press 0 $EAST
press 1 $EAST
stays start_highlighted title-east

# Start chosen by the south button; a cutscene paged by each pad.
press 0 $SOUTH
wait_until 10 cut0 is_cutscene 0 0
press 0 $SOUTH
wait_until 5 cut0b is_cutscene 0 1
press 1 $EAST
wait_until 5 level1 is_level_one

# The nanny moves by the stick, diagonally; east leaves the level.
nanny_gone_from_start level1 && fail "the nanny is not at her start"
axis 1 $STICK_X -32767
axis 1 $STICK_Y -32767
wait_until 3 level1-moved nanny_gone_from_start
axis 1 $STICK_X 0
axis 1 $STICK_Y 0
press 1 $EAST
wait_until 5 title-from-level1 start_highlighted

# Start chosen by Start, which also pages.
press 1 "${START_OF[ps]}"
wait_until 10 cut0-again is_cutscene 0 0
press 1 "${START_OF[ps]}"
wait_until 5 cut0b-again is_cutscene 0 1
tap space
wait_until 5 level1-again is_level_one

# Level one won on the Xbox pad's stick, level two on the other's D-pad.
KEYPAD=0 ARROWS=stick
win_level_one
KEYPAD=1 ARROWS=dpad
win_level_two

# Level three: each pad pushes on its D-pad and stops when pulled out.
for n in 0 1; do
    axis "$n" $HAT_X 32767
    band "push-$n-before"
    sleep 0.7
    band "push-$n"
    same_band "push-$n-before" "push-$n" && fail "${LAYOUT[$n]}: the D-pad did not push the trolley"
    unplug "$n"
    sleep 0.3
    band "pulled-$n"
    sleep 1
    band "pulled-$n-later"
    same_band "pulled-$n" "pulled-$n-later" || fail "${LAYOUT[$n]}: the trolley rolled on after the pad was pulled out"
done
is_level_three pulled-1-later || fail "level three ended too early"

# The next pad plugged in works; its east button leaves the level.
plug 0 xbox
axis 0 $HAT_X 32767
sleep 0.3
band replugged-1
sleep 2
band replugged-2
same_band replugged-1 replugged-2 && fail "the pad plugged in again did not push the trolley"
axis 0 $HAT_X 0
press 0 $EAST
wait_until 5 title-from-level3 start_highlighted

# Back, not east, leaves the game.
press 0 "${BACK_OF[xbox]}"
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Back on the title menu"
[ -z "$(game_noise)" ] || fail "the game printed: $(game_noise)"
unplug 0

# --- Two: a window manager, a pad skipping the intro, a barred one ----------
stop_x
rm -f "$PADS"/*
start_x
start_wm
start_xterm +0+0 20x4
plug 0 ps
# A node that cannot be opened, and one that is no joystick.
mkfifo -m 000 "$PADS/js1"
mkfifo "$PADS/js2"
exec 12<>"$PADS/js2"
LD_PRELOAD="$FAKEPAD" start_game
wait_window
wait_intro 15
pressed=$(now)
axis 0 $HAT_X 32767
wait_until 4 title-2 start_highlighted
within "$(seconds_since "$pressed")" 2.5 || fail "the intro was not cut short by the D-pad"
axis 0 $HAT_X 0

# Held while the xterm has the focus, the D-pad does nothing, then or when
# the game has the focus back.
xdotool windowactivate --sync "$XTERM_WINDOW"
axis 0 $HAT_Y 32767
stays start_highlighted away-held
xdotool windowactivate --sync "$WINDOW"
stays start_highlighted back-held
axis 0 $HAT_Y 0
sleep 0.2
axis 0 $HAT_Y 32767
wait_until 3 back-pressed exit_highlighted
axis 0 $HAT_Y 0
sleep 1.5   # a few more looks at the barred node
press 0 "${BACK_OF[ps]}"
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Back on the title menu"
noise=$(game_noise)
[ "$(echo "$noise" | grep -c .)" = 1 ] && [[ "$noise" == "nannyday: "*"/dev/input/js1"* ]] ||
    fail "expected one line naming the barred pad, got: $noise"
echo "PASS"
