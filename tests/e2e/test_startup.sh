#!/usr/bin/env bash
# Started from an unrelated directory, the game opens its window with no
# pointer showing, runs the intro into the title menu and leaves on Esc with 0.
source "$(dirname "$0")/lib.sh"
start_x
start_game
wait_window

wait_intro 5

probe=$("$XPROBE" cursor)
echo "pointer over the game: $probe"
[[ "$probe" == *" visible=0" ]] || fail "the host pointer shows over the game: $probe"

wait_title 10
tap Escape
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Esc on the title menu"

probe=$("$XPROBE" cursor)
[[ "$probe" != *" visible=0" ]] || fail "the pointer stayed hidden after the game ended: $probe"
echo "PASS"
