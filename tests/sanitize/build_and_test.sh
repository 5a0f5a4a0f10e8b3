#!/usr/bin/env bash
# Configures and builds, with a sanitizer, in a folder of its own, the targets
# that the given ctest selection runs, then runs it there (none for the fuzzers).
# Usage: build_and_test.sh address|thread|fuzzer SOURCE BUILD "TARGET..." [ctest args...]
set -euo pipefail
kind=$1 src=$2 dir=$3 targets=$4
shift 4

compilers=()
[ "$kind" = fuzzer ] && compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
# -O1 with line tables only: what the sanitizers' own documentation advises,
# and it halves the compile time, which is most of these runs, while the tests
# run as fast as at -O2 and every report still names its file and line.
flags="-O1 -g1 -DNDEBUG"
cmake -S "$src" -B "$dir" -DNANNYDAY_SANITIZE="$kind" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${compilers[@]}" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" >/dev/null
# shellcheck disable=SC2086 # one word per target
cmake --build "$dir" -j2 --target $targets
[ "$kind" = fuzzer ] && exit 0

# Leaks, undefined behaviour and races fail the run.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
# ThreadSanitizer otherwise waits a second in _exit() while other threads
# live, and the game leaves by _exit() when its X server is gone.
export TSAN_OPTIONS="halt_on_error=1:exitcode=66:atexit_sleep_ms=0:${TSAN_OPTIONS:-}"
# The end-to-end tests' bounds on how quickly the game answers (lib.sh's within).
[ "$kind" = thread ] && export E2E_TIME_FACTOR=3
cd "$dir"
ctest --output-on-failure -j2 "$@"
