#!/usr/bin/env bash
# The Debian packages build from a copy of the tree the way a user builds
# them, pass Debian's checkers, and, unpacked into a scratch root, give a
# game that runs from /.
source "$(dirname "$0")/lib.sh"
SRC=$(cd "$(dirname "$0")/../.." && pwd)

mkdir -p "$WORK/src"
git -C "$SRC" ls-files -z --cached --others --exclude-standard |
    (cd "$SRC" && xargs -0 cp --parents -t "$WORK/src" 2>/dev/null) || fail "cannot copy the tree"
(cd "$WORK/src" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b >"$WORK/build.log" 2>&1) ||
    { tail -n 30 "$WORK/build.log" >&2; fail "dpkg-buildpackage failed"; }
game=$(ls "$WORK"/nannyday_1.0_*.deb 2>/dev/null) || fail "no nannyday package"
data=$WORK/nannyday-data_1.0_all.deb
[ -f "$data" ] || fail "no nannyday-data package"

depends=$(dpkg-deb -f "$game" Depends)
for want in "nannyday-data (= 1.0)" libc6 liballegro4.4 libaldmb1 libxrandr2; do
    [[ ", $depends," == *", $want"[,\ ]* ]] || fail "Depends lacks $want: $depends"
done

lintian --fail-on error,warning "$WORK"/nannyday_1.0_*.changes >"$WORK/lintian.txt" 2>&1 ||
    fail "lintian: $(grep -v 'root privileges' "$WORK/lintian.txt")"

for deb in "$game" "$data"; do dpkg-deb -x "$deb" "$WORK/root"; done
appstreamcli validate --no-net "$WORK"/root/usr/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "AppStream metadata: $(appstreamcli validate --no-net "$WORK"/root/usr/share/metainfo/*.metainfo.xml)"
desktop-file-validate "$WORK/root/usr/share/applications/nannyday.desktop" || fail "desktop entry invalid"

start_x
play_installed "$WORK/root/usr/games/nannyday"
echo "PASS"
