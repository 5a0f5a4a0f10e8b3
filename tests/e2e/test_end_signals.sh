#!/usr/bin/env bash
# Told to end by the desktop, the game ends at once and cleanly: SIGTERM,
# SIGINT and SIGHUP each end it within a second with status 0, whatever it
# was doing when the signal came (the old handler deadlocked or aborted when
# the signal caught a frame's copy, so each is sent many times, at varying
# moments); a second signal ends it at once; a lost X server ends it within a
# second with one line on stderr, never a hang.
source "$(dirname "$0")/lib.sh"

ROUNDS=${NANNYDAY_SIGNAL_ROUNDS:-5}

# The game with every signal at its default, as a desktop session starts it
# (a script's background job would start with SIGINT ignored, which the game
# respects).
start_plain() {
    mkdir -p "$WORK/elsewhere"
    (cd "$WORK/elsewhere" && exec env --default-signal "$NANNYDAY_BIN" >"$WORK/game.out" 2>"$WORK/game.err") &
    GAME_PID=$!
    WINDOW=$(timeout 15 xdotool search --sync --class Nannyday 2>/dev/null | head -n1) ||
        fail "no game window appeared"
}

# Waits up to $1 seconds for the game to end, counting how long it took; sets STATUS.
time_exit() {
    local t0
    t0=$(now)
    wait_exit "$1"
    TOOK=$(seconds_since "$t0")
}

for size in 640x480 1920x1080; do
    start_x "$size"
    for sig in TERM INT HUP; do
        for round in $(seq "$ROUNDS"); do
            start_plain
            # Intro, title, cutscene: at a different moment of a frame each time.
            sleep "0.$((RANDOM % 9 + 1))"
            [ $((round % 2)) -eq 0 ] && { tap space 0.1; sleep "0.$((RANDOM % 5))"; }
            kill -s "$sig" "$GAME_PID"
            time_exit 5
            [ "$STATUS" -eq 0 ] || fail "SIG$sig on $size (round $round): exit status $STATUS"
            within "$TOOK" 1.0 || fail "SIG$sig on $size (round $round): took $TOOK s to end"
        done
    done

    # A second signal while the first is being acted on: gone at once.
    start_plain
    sleep 0.5
    kill -s TERM "$GAME_PID"
    kill -s TERM "$GAME_PID"
    time_exit 5
    [ "$STATUS" -eq 0 ] || [ "$STATUS" -eq 143 ] || fail "two SIGTERMs on $size: exit status $STATUS"
    within "$TOOK" 1.0 || fail "two SIGTERMs on $size: took $TOOK s to end"

    # The X server goes away under the game.
    for round in 1 2 3; do
        [ "$round" -gt 1 ] && start_x "$size"
        start_plain
        sleep "0.$((RANDOM % 9 + 1))"
        stop_x KILL
        time_exit 5
        [ "$STATUS" -ne 0 ] || fail "X server lost on $size (round $round): exit status 0"
        within "$TOOK" 1.0 || fail "X server lost on $size (round $round): took $TOOK s to end"
        [ "$(grep -c "^nannyday: lost the connection to the X display$" "$WORK/game.err")" = 1 ] ||
            fail "X server lost on $size (round $round): not one line on stderr"
    done
done
echo "PASS"
