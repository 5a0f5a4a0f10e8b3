#!/usr/bin/env bash
# The real game through a real ALSA device: silence during the intro, then the
# title theme with the menu's chime over it, clearly audible, never clipped, and
# with next to nothing above what its 11 kHz music stream can carry.
source "$(dirname "$0")/lib.sh"
start_x
PLAYED="$WORK/played.wav"
capture_sound "$PLAYED"
start_game
wait_window
wait_intro 5
wait_title 10
sleep 2
for _ in 1 2 3; do
    tap Down
    sleep 0.4
done
tap Escape
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Esc on the title menu"

[ -s "$PLAYED" ] || fail "nothing reached the sound device"
[ "$(soxi -r "$PLAYED")" = 44100 ] && [ "$(soxi -c "$PLAYED")" = 2 ] || fail "unexpected device format: $(soxi "$PLAYED")"
echo "captured $(soxi -D "$PLAYED") s of sound"

intro=$(sound_stat "$PLAYED" "Maximum amplitude" trim 0 0.3)
echo "intro peak: $intro"
awk -v v="$intro" 'BEGIN { exit !(v == 0) }' || fail "the intro is not silent (peak $intro)"

# From the first sound on: the title theme and the chimes.
sox "$PLAYED" "$WORK/heard.wav" silence 1 0.01 0.1%
[ "$(soxi -D "$WORK/heard.wav" | cut -d. -f1)" -ge 3 ] || fail "less than 3 s of sound after the intro"
peak=$(sound_stat "$WORK/heard.wav" "Maximum amplitude" trim 0 10)
low=$(sound_stat "$WORK/heard.wav" "Minimum amplitude" trim 0 10)
rms=$(sound_stat "$WORK/heard.wav" "RMS     amplitude" trim 0 10)
high=$(sound_stat "$WORK/heard.wav" "RMS     amplitude" trim 0 10 sinc 5500)
echo "title: peak $peak / $low, rms $rms, rms above 5.5 kHz $high"
awk -v v="$rms" 'BEGIN { exit !(v > 0.02) }' || fail "the title theme is too quiet (rms $rms)"
awk -v a="$peak" -v b="$low" 'BEGIN { exit !(a < 0.99 && b > -0.99) }' || fail "the sound clips ($peak / $low)"
awk -v h="$high" -v r="$rms" 'BEGIN { exit !(h < 0.03 * r) }' || fail "too much above 5.5 kHz ($high of $rms)"
echo "PASS"
