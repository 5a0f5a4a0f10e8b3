# Shared by the end-to-end tests: a private Xvfb, a silent ALSA device, the game
# started from an empty directory, keys and clicks from xdotool, screenshots.
set -euo pipefail

: "${NANNYDAY_BIN:?}" "${XPROBE:?}" "${NANNYDAY_DATA:?}" "${E2E_OUT:?}"

TEST_NAME=$(basename "$0" .sh)
WORK=$(mktemp -d "/tmp/nannyday-e2e-$TEST_NAME.XXXXXX")
SHOTS="$E2E_OUT/$TEST_NAME"
mkdir -p "$SHOTS"
XVFB_PID=""
GAME_PID=""

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    stop_x
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -f "$WORK/game.err" ]; then echo "--- game stderr:" >&2; grep -v -i alsa "$WORK/game.err" >&2 || true; fi
    # When the game could not reach the desktop, say whether the desktop was there.
    if [ -n "$XVFB_PID" ]; then
        local alive=no reach=no
        kill -0 "$XVFB_PID" 2>/dev/null && alive=yes
        timeout 5 xprop -root >/dev/null 2>&1 && reach=yes
        echo "--- Xvfb $XVFB_PID on ${DISPLAY:-?}: running $alive, answering $reach" >&2
        ls -la /tmp/.X11-unix/ /tmp/.X*-lock >&2 2>/dev/null || true
        [ -f "$WORK/xvfb.log" ] && tail -n 20 "$WORK/xvfb.log" >&2
    fi
    exit 1
}

# Tests run beside each other, and an X server that is going away removes its
# display's socket file as it ends: a server started meanwhile may have taken
# the same number, and would lose its socket to the old one. So servers start
# and end one at a time, each end waited for, across all the tests.
x_lock() {
    exec 9>"${TMPDIR:-/tmp}/nannyday-e2e-displays.lock"
    flock 9
}
x_unlock() {
    flock -u 9
    exec 9>&-
}

# Ends this test's X server (with signal $1, default TERM) and waits until it is gone.
stop_x() {
    [ -n "$XVFB_PID" ] || return 0
    x_lock
    kill -s "${1:-TERM}" "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    x_unlock
    XVFB_PID=""
}

# A screen exactly the game's size, so game and root window coincide; or
# another desktop size given as $1 (WxH). -noreset: a server whose last client
# leaves resets itself, and a client that connects meanwhile is dropped after
# connecting; the tests' own probes (xdotool, import) come and go while the
# game starts, and the game then found it "cannot open the X display".
start_x() {
    # The file from a desktop before must go first: the shell may look at it
    # before the new Xvfb's redirection has emptied it, and a stale number
    # sends the game to a server that is gone.
    rm -f "$WORK/display"
    x_lock
    Xvfb -displayfd 3 -screen 0 "${1:-640x480}x24" -nolisten tcp -noreset 3>"$WORK/display" 9>&- >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$WORK/display" ] && break
        sleep 0.1
    done
    [ -s "$WORK/display" ] || { x_unlock; fail "Xvfb did not start"; }
    export DISPLAY=":$(cat "$WORK/display")"
    # Answering before any other server starts or ends.
    local answered=no
    for _ in $(seq 50); do
        xprop -root >/dev/null 2>"$WORK/xprop.err" && { answered=yes; break; }
        sleep 0.1
    done
    x_unlock
    [ "$answered" = yes ] || fail "Xvfb on $DISPLAY did not answer: $(cat "$WORK/xprop.err")"

    # A silent sound device, and a stand-in for the blocking message box.
    printf 'pcm.!default { type null }\nctl.!default { type hw; card 0 }\n' >"$WORK/asound.conf"
    export ALSA_CONFIG_PATH="$WORK/asound.conf"
    mkdir -p "$WORK/bin"
    printf '#!/bin/sh\nfor a; do last="$a"; done\necho "xmessage: $last" >&2\nexit 101\n' >"$WORK/bin/xmessage"
    chmod +x "$WORK/bin/xmessage"
    export PATH="$WORK/bin:$PATH"
}

# Starts the game from $1 (default: an empty directory) in the background;
# $2 names another binary than the build tree's.
start_game() {
    local dir="${1:-$WORK/elsewhere}" bin="${2:-$NANNYDAY_BIN}"
    mkdir -p "$dir"
    (cd "$dir" && exec "$bin" >"$WORK/game.out" 2>"$WORK/game.err") &
    GAME_PID=$!
}

wait_window() {
    # The top-level window, which names the game's process: for a moment as
    # the screen opens, the window Allegro draws in carries the class too.
    WINDOW=""
    for _ in $(seq 150); do
        for w in $(xdotool search --class Nannyday 2>/dev/null); do
            xprop -id "$w" _NET_WM_PID 2>/dev/null | grep -q ' = ' && { WINDOW=$w; break 2; }
        done
        sleep 0.1
    done
    [ -n "$WINDOW" ] || fail "no game window appeared"
    # Keys go to the window under the pointer; early motion can be misplaced.
    sleep 0.5
    xdotool mousemove 320 240
}

shot() {
    import -window root "png:$SHOTS/$1.png"
}

# Level three's trolley band (the rows it rolls in) of a new screenshot $1,
# and whether the bands of two are alike.
band() {
    shot "$1"
    convert "$SHOTS/$1.png" -crop 640x122+0+279 +repage -alpha off "$WORK/band-$1.png"
}
same_band() { [ "$(compare -metric AE "$WORK/band-$1.png" "$WORK/band-$2.png" null: 2>&1)" = "0" ]; }

# Prints the colour of pixel (x, y) of a screenshot as r,g,b.
pixel() {
    convert "$SHOTS/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n1 |
        sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+)(,[0-9]+)?\).*/\1,\2,\3/'
}

# True when the $3x$4 area at ($1, $2) of the last screenshot $5 holds colour $6 (r,g,b).
region_has() {
    convert "$SHOTS/$5.png" -crop "$3x$4+$1+$2" -depth 8 -format %c histogram:info:- |
        grep -q -E "\($6(,[0-9]+)?\)"
}

# Waits up to $4 seconds (default 10) until pixel ($1, $2) reads $3; saves the shot as $5.
wait_pixel() {
    local x=$1 y=$2 want=$3 secs=${4:-10} name=${5:-wait}
    local end=$((SECONDS + secs))
    while [ $SECONDS -le $end ]; do
        shot "$name"
        [ "$(pixel "$name" "$x" "$y")" = "$want" ] && return 0
        sleep 0.1
    done
    fail "pixel ($x,$y) never became $want (last: $(pixel "$name" "$x" "$y"))"
}

# A key held for $2 seconds (default 0.3): long enough for the 30 Hz logic to
# see it down even when a busy machine keeps the game waiting for a core.
# Every key acts once per press, so holding it longer does no harm.
tap() {
    xdotool keydown "$1"
    sleep "${2:-0.3}"
    xdotool keyup "$1"
}

hold() { xdotool keydown "$1"; }
let_go() { xdotool keyup "$1"; }

# Another client grabs the pointer for $1 seconds (as a manager's switcher
# does); returns once it holds it, with the grabbing process in $GRABBER.
grab_pointer() {
    "$XPROBE" grab "$1" >"$WORK/grab.out" &
    GRABBER=$!
    for _ in $(seq 50); do grep -q grabbed "$WORK/grab.out" && break; sleep 0.1; done
}

# Alt+Enter held down as a player presses it.
alt_enter() {
    xdotool keydown alt
    tap Return
    xdotool keyup alt
}

click() {
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

# Waits up to $1 seconds for the game to end; sets STATUS.
wait_exit() {
    local secs=${1:-10} end=$((SECONDS + ${1:-10}))
    while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -le $end ]; do sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end within $secs s"
    STATUS=0
    wait "$GAME_PID" || STATUS=$?
    GAME_PID=""
}

# Colours the game draws whatever the content.
STRIPE_EVEN="58,178,211"
STRIPE_ODD="157,79,108"
WHITE="255,255,255"

# The intro is up: stripes, and the credit line's background across the middle.
wait_intro() {
    wait_pixel 5 0 "$STRIPE_EVEN" "${1:-10}" intro
    [ "$(pixel intro 5 1)" = "$STRIPE_ODD" ] || fail "intro stripes wrong"
    region_has 150 200 340 12 intro "211,140,58" || fail "no credit line on the intro"
}

# An installed game, started from /, shows its intro, then leaves from the title menu with 0.
play_installed() {
    start_game / "$1"
    wait_window
    wait_intro 10
    wait_title 10
    tap Escape
    wait_exit 10
    [ "$STATUS" -eq 0 ] || fail "exit status $STATUS from the installed game"
    # A normal start says nothing (the sound library's own warnings aside).
    local noise
    noise=$(cat "$WORK/game.out"; grep -v -i -E 'alsa|^$' "$WORK/game.err" || true)
    [ -z "$noise" ] || fail "the installed game printed: $noise"
}

# The title menu is up when " START " is highlighted (its first cell is white).
wait_title() { wait_pixel 312 425 "$WHITE" "${1:-10}" title; }

# --- Comparing the screen with the game's own data files -------------------
# Pictures change while the game is developed, so expected images are cut from
# the data files at test time rather than kept as fixed colours.

# Cuts the w×h area at (x, y) of data picture $1 into a file; prints its path.
data_area() {
    local out="$WORK/area-${1//\//_}-$2-$3-$4-$5.png"
    [ -f "$out" ] || convert "$NANNYDAY_DATA/bmp/$1" -crop "$4x$5+$2+$3" +repage -alpha off "$out"
    echo "$out"
}

# Cuts the w×h cell at (sx, sy) of sheet $1 and lays it, its mask colour
# (255, 0, 255) transparent, over the same-sized area at (x, y) of picture
# $8: what masked_blit makes of it. Prints the file's path.
data_sprite() {
    local sheet=$1 sx=$2 sy=$3 w=$4 h=$5 x=$6 y=$7 under=$8
    local out="$WORK/sprite-${sheet//\//_}-$sx-$sy-$w-$h-$x-$y-${under//\//_}.png"
    [ -f "$out" ] || convert "$(data_area "$under" "$x" "$y" "$w" "$h")" \
        \( "$NANNYDAY_DATA/bmp/$sheet" -crop "${w}x${h}+$sx+$sy" +repage -transparent '#ff00ff' \) \
        -composite -alpha off "$out"
    echo "$out"
}

# Succeeds when the w×h area at (x, y) of screenshot $1 equals image $6 exactly.
shot_area_is() {
    local diff
    diff=$(convert "$SHOTS/$1.png" -crop "$4x$5+$2+$3" +repage -alpha off png:- |
        compare -metric AE - "$6" null: 2>&1) || true
    [ "$diff" = "0" ]
}

# Succeeds when screenshot $1 shows, at (x, y), the same w×h area of data picture $2.
shows_area() { shot_area_is "$1" "$3" "$4" "$5" "$6" "$(data_area "$2" "$3" "$4" "$5" "$6")"; }

# Succeeds when screenshot $1 shows the whole of the 640×480 data picture $2.
shows_picture() { shows_area "$1" "$2" 0 0 640 480; }

# Takes screenshot $2 until the command after it succeeds, for up to $1
# seconds; fails with the command as the reason.
wait_until() {
    local secs=$1 name=$2
    shift 2
    local end=$((SECONDS + secs))
    while [ $SECONDS -le $end ]; do
        shot "$name"
        "$@" "$name" && return 0
        sleep 0.1
    done
    fail "after $secs s screenshot $name still fails: $*"
}

# Scenes recognised by what only they draw.
is_cutscene() { shows_picture "$3" "$1-$2.bmp"; }          # cutscene $1, picture $2
is_level_one() { shows_area "$1" bg0.bmp 0 0 640 168; }     # the figures never reach this band
is_level_three() { shows_area "$1" bg2.bmp 0 0 640 278; }   # the trolley runs below it
is_title() { [ "$(pixel "$1" 312 425)" = "$WHITE" ]; }

# Level two's icons: prints the state (-1, 0, 1) that icon $2 (0..2) shows
# in screenshot $1, or ? when it matches none of its cells.
icon_state() {
    local name=$1 i=$2 x=$((115 + 133 * $2)) s
    local seen="$WORK/icon-now.png"
    convert "$SHOTS/$name.png" -crop "128x128+$x+153" +repage -alpha off "$seen"
    for s in -1 0 1; do
        local diff
        diff=$(compare -metric AE "$seen" "$(data_sprite l2sprites.bmp $((128 * i)) $((128 * (s + 1))) 128 128 "$x" 153 bg1.bmp)" null: 2>&1) || true
        [ "$diff" = "0" ] && { echo "$s"; return 0; }
    done
    echo "?"
}
is_level_two() { [ "$(icon_state "$1" 1)" != "?" ]; }

# Wall-clock time in seconds with a fraction, and arithmetic on such times.
now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
# Whether $1 seconds is within a bound of $2 seconds on how quickly the game
# answers. A sanitizer's build of the game may be given E2E_TIME_FACTOR times
# as long: under ThreadSanitizer, and beside the other suites, it runs several
# times slower, and what it is there to find is races, not speed.
within() { awk -v a="$1" -v b="$2" -v k="${E2E_TIME_FACTOR:-1}" 'BEGIN { exit !(a < b * k) }'; }

# Where the X pointer is, as "x,y".
pointer() {
    xdotool getmouselocation | sed -E 's/^x:([0-9]+) y:([0-9]+).*/\1,\2/'
}

# Waits up to $4 seconds until the screen's pixel ($1, $2) reads $3, looking every
# few milliseconds (no screenshot is kept): for timing what the game shows.
watch_pixel() {
    "$XPROBE" wait "$1" "$2" "$3" "${4:-10}" || fail "pixel ($1,$2) never became $3"
}

# --- Sound ---------------------------------------------------------------

# Records what the game plays into the WAV file $1 (44100 Hz, 16-bit stereo)
# instead of the silent device; call after start_x. The file sink is not paced
# in real time, so judge what is heard, not how long.
capture_sound() {
    cat >"$WORK/asound.conf" <<CONF
pcm.!default { type plug; slave { pcm "capture"; format S16_LE; rate 44100; channels 2 } }
pcm.capture { type file; slave.pcm "sink"; file "$1"; format "wav" }
pcm.sink { type null }
ctl.!default { type hw; card 0 }
CONF
}

# Prints sox's figure $2 ("Maximum amplitude", "RMS     amplitude", ...) for the
# WAV file $1 after the sox effects in the remaining arguments.
sound_stat() {
    local file=$1 what=$2
    shift 2
    sox "$file" -n "$@" stat 2>&1 | sed -n "s/^$what: *//p"
}

# --- A desktop with a window manager ---------------------------------------

# Openbox, an EWMH window manager, on the display; waits until it has taken over.
start_wm() {
    openbox >"$WORK/wm.log" 2>&1 &
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "openbox did not start"
}

# An xterm at $1 (+X+Y) of size $2 (COLSxROWS), shown and given the focus
# before anything else starts; sets XTERM_WINDOW.
start_xterm() {
    xterm -geometry "${2:-20x5}${1:-+0+0}" >/dev/null 2>&1 &
    XTERM_WINDOW=$(timeout 15 xdotool search --sync --class XTerm 2>/dev/null | head -n1) ||
        fail "no xterm appeared"
    for _ in $(seq 100); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$XTERM_WINDOW" ] && return 0
        sleep 0.1
    done
    fail "the xterm never became the active window"
}

# The game window's client area on the screen: prints "x y w h".
client_area() {
    xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} END {print x, y, w, h}'
}

# True while the manager shows the game full screen.
full_screen() { xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }

# Succeeds when screenshot $4 shows cutscene picture 0-0 at $1 times its size
# with its corner at ($2, $3); with $5 = black, on an otherwise black screen.
shows_cutscene_at() {
    local k=$1 x=$2 y=$3 name=$4 w=$((640 * $1)) h=$((480 * $1))
    local want="$WORK/cutscene-$k.png"
    [ -f "$want" ] || convert "$NANNYDAY_DATA/bmp/0-0.bmp" -sample "${w}x${h}" -alpha off "$want"
    shot_area_is "$name" "$x" "$y" "$w" "$h" "$want" || return 1
    [ "${5:-}" = black ] || return 0
    local colours
    colours=$(convert "$SHOTS/$name.png" -fill black -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))" \
        -alpha off -format %c histogram:info:-)
    [ "$(echo "$colours" | grep -c .)" = "1" ] && [[ "$colours" == *"(0,0,0)"* ]]
}

# The game as a 1280x960 window showing cutscene 0-0 at 2x, in screenshot $1.
windowed_cutscene() {
    full_screen && return 1
    local x y w h
    read -r x y w h <<<"$(client_area)"
    [ "$w" = 1280 ] && [ "$h" = 960 ] && shows_cutscene_at 2 "$x" "$y" "$1"
}

# --- Playing through ------------------------------------------------------

# From the title menu, Start through cutscene 0's two pictures into level one.
start_run() {
    tap space
    wait_until 10 cut0 is_cutscene 0 0
    tap space
    wait_until 5 cut0b is_cutscene 0 1
    tap space
    wait_until 5 level1 is_level_one
}

# Level one won: with the nanny held up and to the left the child can only
# flee down and right, along the bottom edge into the goal corner; then
# cutscene 1, into level two.
win_level_one() {
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
    wait_until 5 level2 is_level_two
}

# Level two in screenshot $1: a question asked and not yet answered; answered.
asking() {
    local m
    m=$(icon_state "$1" 1)
    [ "$m" = "-1" ] || [ "$m" = "1" ] || return 1
    [ "$(icon_state "$1" 2)" = "0" ]
}
answered() { [ "$(icon_state "$1" 2)" != "0" ]; }

# Level two won: each question is answered by holding the key its middle icon
# calls for (Down for the lower picture, Up for the upper) until the third
# icon shows the answer, which must be the one asked for; then cutscene 2,
# into level three.
win_level_two() {
    local n k want got
    for n in 1 2 3 4 5; do
        wait_until 10 "level2-q$n" asking
        if [ "$(icon_state "level2-q$n" 1)" = "1" ]; then k=Down want=-1; else k=Up want=1; fi
        hold "$k"
        wait_until 5 "level2-a$n" answered
        let_go "$k"
        got=$(icon_state "level2-a$n" 2)
        [ "$got" = "$want" ] || fail "answer $n: $k held, third icon shows $got"
        echo "question $n answered with $k"
    done
    wait_until 6 cut2 is_cutscene 2 0
    tap space
    wait_until 5 level3 is_level_three
}

# --- Frames fitted to screens and windows ------------------------------------

# Succeeds when screenshot $1 shows the 640x480 data picture $2 fitted to the
# area x y w h ($3..$6) of the screen: the largest 4:3 size that fits, or the
# whole-number one where that reaches 85 % of its width, centred on black.
# Every screen pixel that lies wholly inside one frame pixel has its colour;
# pixels that straddle two are the scaler's blend and are not looked at.
# Prints the frame's size and place.
shows_fitted() {
    python3 - "$SHOTS/$1.png" "$NANNYDAY_DATA/bmp/$2" "$3" "$4" "$5" "$6" <<'PY'
import subprocess, sys

def pixels(path, crop=None):
    args = ["convert", path] + (["-crop", crop, "+repage"] if crop else []) + ["-alpha", "off", "-depth", "8", "ppm:-"]
    data = subprocess.run(args, check=True, stdout=subprocess.PIPE).stdout
    magic, size, depth, rest = data.split(b"\n", 3)
    w, h = map(int, size.split())
    return w, h, rest

shot, picture = sys.argv[1], sys.argv[2]
x, y, w, h = map(int, sys.argv[3:7])
_, _, screen = pixels(shot, f"{w}x{h}+{x}+{y}")
_, _, pic = pixels(picture)

def candidates():
    k = min(w // 640, h // 480)
    if h * 4 <= w * 3:
        sizes = [(fw, h) for fw in {h * 4 // 3, (h * 4 + 2) // 3}]
    else:
        sizes = [(w, fh) for fh in {w * 3 // 4, (w * 3 + 3) // 4}]
    if k >= 1 and 640 * k * 100 >= 85 * sizes[0][0]:
        sizes = [(640 * k, 480 * k)]
    for fw, fh in sizes:
        # One scale for both axes, the smaller: the other side's last row or
        # column may be part-covered.
        num, den = (fw, 640) if fw * 480 <= fh * 640 else (fh, 480)
        for left in {(w - fw) // 2, (w - fw + 1) // 2}:
            for top in {(h - fh) // 2, (h - fh + 1) // 2}:
                yield fw, fh, left, top, num, den

def matches(fw, fh, left, top, num, den):
    cols = [(X, X * den // num) for X in range(fw) if (X + 1) * den <= (X * den // num + 1) * num and X * den // num < 640]
    for Y in range(h):
        row = screen[Y * w * 3:(Y + 1) * w * 3]
        if Y < top or Y >= top + fh:
            if row.count(0) != len(row):
                return False
            continue
        j = (Y - top) * den // num
        if row[:left * 3].count(0) != left * 3 or row[(left + fw) * 3:].count(0) != len(row) - (left + fw) * 3:
            return False
        if (Y - top + 1) * den > (j + 1) * num or j >= 480:
            continue
        src = pic[j * 640 * 3:(j + 1) * 640 * 3]
        for X, i in cols:
            if row[(left + X) * 3:(left + X) * 3 + 3] != src[i * 3:i * 3 + 3]:
                return False
    return True

for c in candidates():
    if matches(*c):
        print(f"frame {c[0]}x{c[1]} at +{x + c[2]}+{y + c[3]}")
        sys.exit(0)
sys.exit(1)
PY
}
