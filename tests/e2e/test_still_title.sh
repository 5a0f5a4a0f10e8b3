#!/usr/bin/env bash
# A still picture is not sent to the X server again: on the title menu, where
# nothing moves, at most a few frames reach the server in 3 s (30 a second
# went before), at 1x and sharply scaled on 1366x768. The preloaded probe
# counts the frame loop's passes, its ticks, and the passes that put a
# picture to the server.
source "$(dirname "$0")/lib.sh"

for size in 640x480 1366x768; do
    start_x "$size"
    rm -f "$WORK/probe"
    # The intro ends by itself after four seconds; from 7 s to 10 s the title
    # menu stands still.
    mkdir -p "$WORK/elsewhere"
    (cd "$WORK/elsewhere" && NANNYDAY_PROBE_LOG="$WORK/probe" NANNYDAY_PROBE_FROM=7 NANNYDAY_PROBE_TO=10 \
        LD_PRELOAD="$LOOP_PROBE" exec "$NANNYDAY_BIN" >"$WORK/game.out" 2>"$WORK/game.err") &
    GAME_PID=$!
    wait_window
    sleep 11
    [ "$size" = 640x480 ] && { wait_title 5 || fail "no title menu on $size"; }
    xdotool mousemove 320 240
    tap Escape
    wait_exit 10
    [ "$STATUS" -eq 0 ] || fail "exit status $STATUS on $size"
    [ -s "$WORK/probe" ] || fail "the probe wrote nothing on $size"
    read -r secs passes frames ticks _ gap <"$WORK/probe"
    echo "$size: $frames frames, $ticks ticks, $passes passes in $secs s; longest poll gap $gap ms"
    [ "$ticks" -ge 80 ] || fail "only $ticks ticks in 3 s on $size: the title did not run"
    [ "$frames" -le 3 ] || fail "$frames frames of a still title reached the X server in 3 s on $size"
    stop_x   # under the lock: a server ending unseen takes another test's socket
done
echo "PASS"
