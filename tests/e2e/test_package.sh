#!/usr/bin/env bash
# The Debian package depends on Debian's runtime libraries and, unpacked into a
# scratch root, gives a game that runs from /.
source "$(dirname "$0")/lib.sh"
: "${NANNYDAY_BUILD:?}"
(cd "$WORK" && cpack --config "$NANNYDAY_BUILD/CPackConfig.cmake" -B "$WORK/pkg" >/dev/null) || fail "cpack failed"
deb=$(ls "$WORK"/pkg/nannyday_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no .deb was made"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in liballegro4.4 libdumb1 libaldmb1 libx11-6 libxrandr2; do
    [[ ", $depends," == *", $lib"[,\ ]* ]] || fail "Depends lacks $lib: $depends"
done
dpkg-deb -x "$deb" "$WORK/root"
[ -x "$WORK/root/usr/games/nannyday" ] || [ -x "$WORK/root/usr/bin/nannyday" ] || fail "no binary in the package"
start_x
play_installed "$(ls "$WORK"/root/usr/bin/nannyday "$WORK"/root/usr/games/nannyday 2>/dev/null | head -n1)"
echo "PASS"
