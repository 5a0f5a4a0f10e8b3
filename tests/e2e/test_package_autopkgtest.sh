#!/usr/bin/env bash
# The source package is lintian-clean with its autopkgtest (debian/tests), and
# the Debian packages pass that test, run by
# autopkgtest itself on this machine (the null runner): installed, the game
# starts from /, shows its intro and title menu, and Esc ends it with status 0.
# The packages are removed again afterwards unless they were installed before.
source "$(dirname "$0")/lib.sh"
SRC=$(cd "$(dirname "$0")/../.." && pwd)

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || fail "the null runner installs packages: run as root or with password-less sudo"
    sudo="sudo -n"
fi

mkdir -p "$WORK/src"
git -C "$SRC" ls-files -z --cached --others --exclude-standard |
    (cd "$SRC" && xargs -0 cp --parents -t "$WORK/src" 2>/dev/null) || fail "cannot copy the tree"
# The source package carries debian/tests; lintian checks it there.
(cd "$WORK/src" && dpkg-buildpackage -S -us -uc -d >"$WORK/source.log" 2>&1) ||
    { tail -n 30 "$WORK/source.log" >&2; fail "dpkg-buildpackage -S failed"; }
lintian --fail-on error,warning "$WORK"/nannyday_1.0.dsc >"$WORK/lintian.txt" 2>&1 ||
    fail "lintian on the source package: $(grep -v 'root privileges' "$WORK/lintian.txt")"
(cd "$WORK/src" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b >"$WORK/build.log" 2>&1) ||
    { tail -n 30 "$WORK/build.log" >&2; fail "dpkg-buildpackage failed"; }
game=$(ls "$WORK"/nannyday_1.0_*.deb 2>/dev/null) || fail "no nannyday package"
data=$WORK/nannyday-data_1.0_all.deb

installed_before=""
dpkg-query -W -f='${Status}' nannyday 2>/dev/null | grep -q "install ok installed" && installed_before=yes
remove_packages() {
    [ -n "$installed_before" ] || $sudo dpkg --purge nannyday nannyday-data >/dev/null 2>&1 || true
    cleanup
}
trap remove_packages EXIT

# The tree is copied once more: autopkgtest reads its tests from it as they are.
mkdir -p "$WORK/tests-src"
cp -r "$SRC/debian" "$WORK/tests-src/"
status=0
$sudo autopkgtest --no-built-binaries --output-dir "$WORK/out" "$game" "$data" "$WORK/tests-src/" -- null \
    >"$WORK/autopkgtest.log" 2>&1 || status=$?
cp "$WORK/autopkgtest.log" "$SHOTS/" 2>/dev/null || true
[ "$status" -eq 0 ] || { tail -n 40 "$WORK/autopkgtest.log" >&2; fail "autopkgtest ended with $status"; }
grep -E '^smoke +PASS' "$WORK/out/summary" >/dev/null || fail "the smoke test did not pass: $(cat "$WORK/out/summary")"
echo "PASS"
