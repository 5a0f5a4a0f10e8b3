#!/usr/bin/env bash
# Plays the real game through once under Xvfb, as a player would, and keeps a
# screenshot of every scene in docs/screenshots/.
# Usage: tools/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
export NANNYDAY_BIN="$BUILD/nannyday" XPROBE="$BUILD/tests/xprobe" NANNYDAY_DATA="$ROOT/data"
export E2E_OUT
E2E_OUT=$(mktemp -d)
source "$ROOT/tests/e2e/lib.sh"
DOCS="$ROOT/docs/screenshots"
mkdir -p "$DOCS"
trap 'cleanup; rm -rf "$E2E_OUT"' EXIT

# Without metadata, so an unchanged scene gives an unchanged file.
keep() { convert "$SHOTS/$1.png" -strip "png:$DOCS/$2.png"; echo "  $2.png"; }

start_x
start_game
wait_window

sleep 1
shot intro
keep intro 01-intro

wait_title 30
keep title 02-title
tap space

wait_until 30 scene is_cutscene 0 0
keep scene 03-cutscene-0-0
tap space
wait_until 30 scene is_cutscene 0 1
keep scene 04-cutscene-0-1
tap space

# Level one: with Rosa held up and to the left, Pip can only flee down and
# right, along the bottom edge into the sandpit.
wait_until 30 level is_level_one
hold Up
hold Left
sleep 1
shot level
keep level 05-level-one
wait_until 30 scene is_cutscene 1 0
let_go Up
let_go Left
keep scene 06-cutscene-1-0
tap space

# Level two: each question answered with the key its middle icon calls for.
wait_until 30 level is_level_two
for n in 1 2 3 4 5; do
    wait_until 30 question asking
    if [ "$(icon_state question 1)" = "1" ]; then k=Down; else k=Up; fi
    hold "$k"
    wait_until 30 answer answered
    let_go "$k"
    if [ "$n" = 2 ]; then
        keep question 07-level-two-question
        keep answer 08-level-two-answer
    fi
done
wait_until 30 scene is_cutscene 2 0
keep scene 09-cutscene-2-0
tap space

# Level three: hold Right until the trolley has gone.
wait_until 30 level is_level_three
hold Right
sleep 3
shot level
keep level 10-level-three
wait_until 30 scene is_cutscene 3 0
let_go Right
keep scene 11-cutscene-3-0
tap space

wait_until 30 title is_title
tap Escape
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "the game ended with $STATUS"
echo "screenshots in $DOCS"
