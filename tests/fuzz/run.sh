#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time (NANNYDAY_FUZZ_SECONDS, default
# 30), seeded with the data folder's files of its kind. An input that crashes,
# leaks or runs out of memory is saved under ARTIFACTS and fails the test:
# keep it in tests/fuzz/regressions/KIND/ once the loader refuses or repairs
# it. tests/fuzz/seeds/KIND/ holds files that lead into the layout
# conversions and repairs (other BMP headers, top-down and run-length rows,
# trackers' out-of-range values).
# Usage: run.sh FUZZER KIND DATA ARTIFACTS
set -euo pipefail
fuzzer=$1 kind=$2 data=$3 artifacts=$4
# Every input a fuzzer ever found is replayed first, as a seed, so the run
# is for new ground: the loaders' checks are small, and in 45 s runs the
# picture loader's coverage last grew at 20 s and the sound loader's at 28 s.
# Hence 30 s a loader (NANNYDAY_FUZZ_SECONDS for a longer hunt).
seconds=${NANNYDAY_FUZZ_SECONDS:-30}

work=$(mktemp -d "/tmp/nannyday-fuzz-$kind.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/seeds" "$artifacts"
case $kind in
    bmp) cp "$data"/bmp/*.bmp "$work/seeds/" ;;
    pcx) cp "$data"/bmp/*.pcx "$work/seeds/" ;;
    wav) cp "$data"/wav/*.wav "$work/seeds/" ;;
    xm) cp "$data"/xm/*.xm "$work/seeds/" ;;
esac
cp "$(dirname "$0")/regressions/$kind"/* "$work/seeds/" 2>/dev/null || true
cp "$(dirname "$0")/seeds/$kind"/* "$work/seeds/" 2>/dev/null || true

# Whole files where they are small enough to run fast: the small pictures,
# the font, the effects and the music modules fit; the big pictures are cut.
case $kind in
    xm) max_len=262144 ;;
    wav) max_len=65536 ;;
    *) max_len=16384 ;;
esac
status=0
"$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 -malloc_limit_mb=512 \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/corpus" "$work/seeds" \
    >"$work/log" 2>&1 || status=$?
grep -v -E '^#[0-9]+' "$work/log" | tail -n 40
[ "$status" -eq 0 ] || { echo "FAIL: the $kind fuzzer found an input, kept in $artifacts"; exit 1; }
echo "PASS"
