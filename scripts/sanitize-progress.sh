#!/usr/bin/env bash
# Says how far a sanitizer run (scripts/sanitize.sh) got, from the logs it leaves in its build
# folder: how many tests ran and passed, or where the build was when it stopped.
#   scripts/sanitize-progress.sh BUILD_ASAN_DIR
# Prints one line; exits 0 when at least one test ran and none failed, 1 otherwise.
set -uo pipefail
dir=${1:?usage: scripts/sanitize-progress.sh BUILD_ASAN_DIR}
tests="$dir/sanitize-tests.log"
build="$dir/sanitize-build.log"

# ctest prints one line a finished test: "  3/75 Test  #12: name ....   Passed    0.52 sec".
finished=0 passed=0 total=0
if [ -f "$tests" ]; then
    finished=$(grep -cE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$tests")
    passed=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$tests" | grep -cE ' Passed +[0-9.]+ sec')
    total=$(grep -oE '^ *[0-9]+/[0-9]+ Test' "$tests" | head -n 1 | sed -E 's|.*/([0-9]+) Test|\1|')
    total=${total:-0}
fi
if [ "$finished" -eq 0 ]; then
    if [ -f "$tests" ]; then
        echo "Sanitizer tests run: none (the tests had started, none had finished)"
    elif [ -f "$build" ]; then
        step=$(grep -oE '^\[[0-9]+/[0-9]+\]' "$build" | tail -n 1)
        echo "Sanitizer tests run: none (stopped while building${step:+, at step ${step//[\[\]]/}})"
    else
        echo "Sanitizer tests run: none (the build had not started)"
    fi
    exit 1
fi
failed=$((finished - passed))
echo "Sanitizer tests run: ${finished} of ${total}, ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
