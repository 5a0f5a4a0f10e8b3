#!/usr/bin/env bash
# Under a window manager (openbox) on a 1920x1080 desktop, with an xterm
# beside it: the game is a managed window with its own class, name, process
# and icon, shown full screen by the manager at 2x; another window can be
# brought in front and the game back; Alt+Enter and F11 switch to a 1280x960
# window and back, the intro going on through both; the manager's close ends
# the game with status 0, and no choice was written down.
source "$(dirname "$0")/lib.sh"

full_screen_cutscene() { full_screen && shows_cutscene_at 2 320 60 "$1" black; }


start_x 1920x1080
start_wm
start_xterm +40+40 80x24
# The game writes no files: not where it starts, not in its home.
mkdir -p "$WORK/home"
HOME="$WORK/home" start_game
wait_window

# Toggling twice during the intro leaves it running: neither key counts as
# the key that skips it, so it still ends on its own after about 4 s.
watch_pixel 330 60 "$STRIPE_EVEN" 10
shown=$(now)
xdotool key F11
sleep 0.3
xdotool key alt+Return
watch_pixel 944 910 "$WHITE" 10   # the title menu, full screen again
took=$(seconds_since "$shown")
echo "the intro lasted $took s with two toggles in it"
below "$took" 2.0 && fail "a toggle key skipped the intro (the title came after $took s)"

# What the desktop knows of the game.
full_screen || fail "the manager does not show the game full screen: $(xprop -id "$WINDOW" _NET_WM_STATE)"
xprop -root _NET_CLIENT_LIST | grep -q -i "$(printf '0x%x' "$WINDOW")\b" ||
    fail "the game is not in _NET_CLIENT_LIST: $(xprop -root _NET_CLIENT_LIST)"
[ "$(xprop -id "$WINDOW" WM_CLASS)" = 'WM_CLASS(STRING) = "nannyday", "Nannyday"' ] ||
    fail "class: $(xprop -id "$WINDOW" WM_CLASS)"
[ "$(xprop -id "$WINDOW" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "Nanny Day"' ] ||
    fail "name: $(xprop -id "$WINDOW" _NET_WM_NAME)"
[ "$(xprop -id "$WINDOW" WM_NAME)" = 'WM_NAME(STRING) = "Nanny Day"' ] || fail "old-style name: $(xprop -id "$WINDOW" WM_NAME)"
[ "$(xprop -id "$WINDOW" _NET_WM_PID)" = "_NET_WM_PID(CARDINAL) = $GAME_PID" ] ||
    fail "pid: $(xprop -id "$WINDOW" _NET_WM_PID), not $GAME_PID"
[ "$(xprop -id "$WINDOW" WM_CLIENT_MACHINE)" = "WM_CLIENT_MACHINE(STRING) = \"$(hostname)\"" ] ||
    fail "machine: $(xprop -id "$WINDOW" WM_CLIENT_MACHINE)"
[ "$(wmctrl -l | awk -v id="$(printf '0x%08x' "$WINDOW")" '$1 == id {$1 = $2 = $3 = ""; print}' | sed 's/^ *//')" = "Nanny Day" ] ||
    fail "wmctrl does not list the game by name: $(wmctrl -l)"

# The icon: 16, 32, 48 and 64 pixels, each exactly the hicolor PNG of its size.
xprop -id "$WINDOW" -notype -f _NET_WM_ICON 32x ' $0+\n' _NET_WM_ICON |
    sed 's/^_NET_WM_ICON //; s/, /\n/g' | awk '{ s = substr($1, 3); while (length(s) < 8) s = "0" s; print s }' \
    >"$WORK/icon.words"
sizes="" at=1
total=$(wc -l <"$WORK/icon.words")
while [ "$at" -le "$total" ]; do
    n=$((16#$(sed -n "${at}p" "$WORK/icon.words")))
    [ "$((16#$(sed -n "$((at + 1))p" "$WORK/icon.words")))" = "$n" ] || fail "icon at word $at is not square"
    sizes="$sizes $n"
    png="$(dirname "$0")/../../packaging/icons/hicolor/${n}x${n}/apps/nannyday.png"
    [ -f "$png" ] || fail "no hicolor icon of $n pixels for the window icon of that size"
    sed -n "$((at + 2)),$((at + 1 + n * n))p" "$WORK/icon.words" >"$WORK/icon-$n.got"
    convert "$png" -depth 8 txt:- | awk 'NR > 1 { h = tolower($3); print substr(h, 8, 2) substr(h, 2, 6) }' \
        >"$WORK/icon-$n.want"
    cmp -s "$WORK/icon-$n.got" "$WORK/icon-$n.want" || fail "the $n-pixel window icon differs from $png"
    at=$((at + 2 + n * n))
done
[ "$sizes" = " 16 32 48 64" ] || fail "window icon sizes:$sizes"

# The xterm in front, then the game again, whose keys work.
xdotool windowactivate --sync "$XTERM_WINDOW"
sleep 0.5
[ "$(xdotool getactivewindow)" = "$XTERM_WINDOW" ] || fail "the xterm did not become active"
top=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*, //; s/.*# //')
[ "$((top))" = "$XTERM_WINDOW" ] || fail "the xterm is not on top: $(xprop -root _NET_CLIENT_LIST_STACKING)"
shot xterm-in-front
[ "$(pixel xterm-in-front 400 300)" = "$WHITE" ] || fail "the xterm does not show in front of the game"
xdotool windowactivate --sync "$WINDOW"
sleep 0.5
wait_pixel 944 910 "$WHITE" 5 game-in-front
tap Down
wait_pixel 944 950 "$WHITE" 5 exit-lit
tap Up
wait_pixel 944 910 "$WHITE" 5 start-lit

# Both keys, both ways, on a still picture: the picture is right in each mode.
tap space
wait_until 10 cutscene-full full_screen_cutscene
# No pointer over the game, full screen or in a window.
no_pointer_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    local probe
    probe=$("$XPROBE" cursor)
    [[ "$probe" == *" visible=0" ]] || fail "the pointer shows over the game at ($1, $2), $3: $probe"
}
no_pointer_at 960 540 "full screen"
no_pointer_at 5 5 "full screen, on the black border"
alt_enter
wait_until 5 alt-enter-window windowed_cutscene
read -r x y _ <<<"$(client_area)"
no_pointer_at $((x + 640)) $((y + 480)) "in a window"
alt_enter
wait_until 5 alt-enter-full full_screen_cutscene
tap F11
wait_until 5 f11-window windowed_cutscene
tap F11
wait_until 5 f11-full full_screen_cutscene

wmctrl -i -c "$WINDOW"
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after the manager's close"
written=$(find "$WORK/home" "$WORK/elsewhere" -mindepth 1)
[ -z "$written" ] || fail "the game wrote files: $written"
echo "PASS"
